// Stands in for the game in the tests of the Windows package: started from
// the Start menu, it writes the directory it was started in to started.txt
// in that directory, which is where the game would keep hs.dat, and ends.
#include <filesystem>
#include <fstream>

int main() {
    const std::filesystem::path here = std::filesystem::current_path();
    std::ofstream(here / "started.txt") << here.string() << '\n';
    return 0;
}
