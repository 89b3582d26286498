/* Nothing: linked statically or dynamically as tulvakctl is, it is what the
 * C library and the program's own start-up weigh before any code of ours. */
int main(void) { return 0; }
