// A stand-in for one of the suite's sibling programs: the upgrade only needs
// a runnable file that tells which program and release it is.
#include <cstdio>

int main() {
    std::printf("%s %s\n", SIBLING_NAME, SIBLING_VERSION);
    return 0;
}
