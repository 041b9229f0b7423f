#include "standard_streams.h"

#include <fcntl.h>
#include <unistd.h>

namespace tarvo::posix {

void OpenMissingStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        // open takes the lowest free descriptor: this one.
        if (fcntl(fd, F_GETFD) == -1) open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    }
}

}  // namespace tarvo::posix
