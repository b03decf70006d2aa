// The German locale de_DE.UTF-8 for one test, as a German player's desktop
// sets it: messages of the C library in German, in UTF-8. Where the system
// lacks the locale, it is made once per test program with localedef in a
// scratch directory, which LOCPATH then names.
#pragma once

#include <locale.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/ScratchDirectory.h"

namespace test {

class ScopedGermanLocale {
public:
    ScopedGermanLocale() {
        const char* previous = setlocale(LC_ALL, nullptr);
        m_previous = previous != nullptr ? previous : "C";
        const char* locPath = std::getenv("LOCPATH");
        m_hadLocPath = locPath != nullptr;
        m_previousLocPath = m_hadLocPath ? locPath : "";
        m_active = setlocale(LC_ALL, kName) != nullptr;
        if (!m_active) {
            const std::string made = MadeLocales();
            if (!made.empty()) {
                setenv("LOCPATH", made.c_str(), 1);
                m_active = setlocale(LC_ALL, kName) != nullptr;
            }
        }
    }

    ~ScopedGermanLocale() {
        if (m_hadLocPath) {
            setenv("LOCPATH", m_previousLocPath.c_str(), 1);
        } else {
            unsetenv("LOCPATH");
        }
        setlocale(LC_ALL, m_previous.c_str());
    }

    ScopedGermanLocale(const ScopedGermanLocale&) = delete;
    ScopedGermanLocale& operator=(const ScopedGermanLocale&) = delete;

    // False where the locale could be neither found nor made.
    bool Active() const { return m_active; }

private:
    static constexpr const char* kName = "de_DE.UTF-8";

    // The directory holding the made locale, or empty when localedef is
    // missing or fails.
    static std::string MadeLocales() {
        static ScratchDirectory directory;
        static const std::string made = [] {
            const std::string command =
                "localedef -i de_DE -f UTF-8 '" + directory.PathOf(kName) + "' >/dev/null 2>&1";
            [[maybe_unused]] const int status = std::system(command.c_str());
            std::error_code error;
            return std::filesystem::exists(directory.Path() / kName / "LC_CTYPE", error)
                       ? directory.Path().string()
                       : std::string();
        }();
        return made;
    }

    std::string m_previous;
    bool m_hadLocPath = false;
    std::string m_previousLocPath;
    bool m_active = false;
};

}  // namespace test
