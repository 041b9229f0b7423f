// A stand-in game for the soak: it plays for 0.2 s and ends.
#include <windows.h>

int main() {
    Sleep(200);
    return 0;
}
