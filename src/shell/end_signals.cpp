#include "shell/end_signals.h"

#include <QCoreApplication>
#include <QPointer>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#endif

namespace shell {
namespace {

std::function<void()> sgBeenden;

void Beenden() {
    if (sgBeenden)
        sgBeenden();
}

#ifdef _WIN32

BOOL WINAPI Konsolenereignis(DWORD art) {
    if (art != CTRL_C_EVENT && art != CTRL_BREAK_EVENT && art != CTRL_CLOSE_EVENT)
        return FALSE;
    // The handler runs on a thread of its own: the end is posted to the
    // event loop's thread, which is the only one touching the windows.
    if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, &Beenden, Qt::QueuedConnection);
    // After the close event returns the system ends the process at once; the
    // main thread gets the few seconds it grants to write what is in hand.
    if (art == CTRL_CLOSE_EVENT)
        Sleep(5000);
    return TRUE;
}

}  // namespace

void EndsignaleAbfangen() {
    SetConsoleCtrlHandler(&Konsolenereignis, TRUE);
}

void EndsignaleVerbinden(std::function<void()> beenden) {
    sgBeenden = std::move(beenden);
}

#else

// The self-pipe: the handler writes one byte, the event loop reads it.
int sgPipe[2] = {-1, -1};
QPointer<QSocketNotifier> sgMelder;

void Weckruf(int) {
    const int gesichert = errno;
    const char c = 1;
    // A full pipe already holds a wake-up: a byte that does not fit is not missed.
    [[maybe_unused]] const ssize_t n = ::write(sgPipe[1], &c, 1);
    errno = gesichert;
}

void Leeren() {
    char puffer[64];
    while (::read(sgPipe[0], puffer, sizeof puffer) > 0) {
    }
}

}  // namespace

void EndsignaleAbfangen() {
    if (sgPipe[0] >= 0 || ::pipe(sgPipe) != 0)
        return;
    for (int fd : sgPipe) {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) | O_NONBLOCK);
        ::fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
    struct sigaction an = {};
    an.sa_handler = &Weckruf;
    sigemptyset(&an.sa_mask);
    an.sa_flags = SA_RESTART;
    for (int s : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction vorher = {};
        if (::sigaction(s, nullptr, &vorher) == 0 && vorher.sa_handler == SIG_IGN)
            continue;
        ::sigaction(s, &an, nullptr);
    }
}

void EndsignaleVerbinden(std::function<void()> beenden) {
    sgBeenden = std::move(beenden);
    if (sgPipe[0] < 0 || sgMelder)
        return;
    sgMelder = new QSocketNotifier(sgPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(sgMelder, &QSocketNotifier::activated, sgMelder, [] {
        Leeren();
        Beenden();
    });
}

#endif

}  // namespace shell
