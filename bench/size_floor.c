/* Nothing: built as a shared library with the library's own options, it is
 * what any such library costs before it holds a byte of code or data. */
typedef int size_floor_is_empty;
