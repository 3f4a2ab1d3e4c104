// The program's entry. Until the host shell exists it only reports what is there.
#include <cstdio>

int main() {
    std::puts("Tarnwick: the runtime core is built; the host shell and the game are not there yet.");
    return 0;
}
