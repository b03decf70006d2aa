// The yardstick of the web start-up measurement: the smallest Emscripten
// program that answers once, in a page of its own with nothing else, so that
// what the browser and Emscripten's runtime cost alone shows beside the game.
#include <cstdio>

int main() {
    std::puts("{}");
    return 0;
}
