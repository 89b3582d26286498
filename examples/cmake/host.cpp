// A C++ host linked against libtulvak: one console session on standard input
// and output, as a TV application opens it.
#include <tulvak.h>

int main() {
    Tulvak_Manager::GetInstance()->Tulvak(TULVAK_SYSTEM_TYPE_BRAMBLEON);
    return 0;
}
