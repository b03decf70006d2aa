// The Windows runtime has the table itself, in English whatever the locale.
#include "framework/runtime/ErrorText.h"

#include <cstring>

namespace framework::runtime {

std::string ErrorText(int error) {
    return std::strerror(error);
}

}  // namespace framework::runtime
