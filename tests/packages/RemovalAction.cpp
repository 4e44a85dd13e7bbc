// The program a test package runs while it is being removed: it waits the milliseconds given
// as its first argument and exits with the status given as its second, which makes a removal
// slow, or makes it fail.
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    Sleep(static_cast<DWORD>(std::strtoul(argv[1], nullptr, 10)));
    return std::atoi(argv[2]);
}
