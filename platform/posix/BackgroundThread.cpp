#include "platform/posix/BackgroundThread.h"

#include <algorithm>
#include <cerrno>
#include <csignal>

#include <sys/resource.h>
#include <unistd.h>

namespace kav::posix {

void becomeBackgroundThread(int niceSteps) {
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);
    const auto self = static_cast<id_t>(::gettid());
    errno = 0;
    const int nice = ::getpriority(PRIO_PROCESS, self);
    if (errno == 0) static_cast<void>(::setpriority(PRIO_PROCESS, self, std::min(nice + niceSteps, 19)));
}

} // namespace kav::posix
