#pragma once

#include "trackoraactivex_global.h"

namespace TrackoraActiveX {

// Runs the container's thread-start hook, if it set one, once on the calling
// thread. Every thread of the component calls it first thing: the player,
// decode, demuxer and device-closing threads when they start, SDL's audio
// thread at its first callback, a capture task when it runs.
TRACKORAACTIVEX_EXPORT void runThreadStartHook();

} // namespace TrackoraActiveX

extern "C" {
// The container's per-thread set-up (its crash handler's signal stack, say),
// which the component cannot call by name. Set it before any player is made;
// null removes it.
TRACKORAACTIVEX_EXPORT void setThreadStartHook(void (*hook)());
}
