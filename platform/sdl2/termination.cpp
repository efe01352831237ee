#include "platform/sdl2/termination.h"

#include <signal.h>

#include <initializer_list>

namespace {

volatile sig_atomic_t caughtSignal = 0;

void NoteSignal(int signalNumber) { caughtSignal = signalNumber; }

}  // namespace

void CatchTerminationSignals() {
  struct sigaction action {};
  action.sa_handler = NoteSignal;
  sigemptyset(&action.sa_mask);
  // The handler runs once; a second signal finds the default action and ends
  // a program that no longer reaches its frame loop.
  action.sa_flags = SA_RESETHAND | SA_RESTART;
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) sigaction(signalNumber, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

int CaughtTerminationSignal() { return caughtSignal; }
