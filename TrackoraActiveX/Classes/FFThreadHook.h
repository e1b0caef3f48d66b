#pragma once

#include "trackoraactivex_global.h"

namespace TrackoraActiveX {

// The container's per-thread set-up (its crash handler's signal stack, say),
// which the component cannot call by name. Set it before any player is made;
// null removes it. The component hands it on from `setThreadStartHook`.
TRACKORAACTIVEX_EXPORT void installThreadStartHook(void (*hook)());

// Runs that hook, if one is set, once on the calling thread. Every thread of
// the engine calls it first thing: the player, decode, demuxer, device-closing
// and codec-freeing threads when they start, SDL's audio thread at its first
// callback, a capture task when it runs.
TRACKORAACTIVEX_EXPORT void runThreadStartHook();

} // namespace TrackoraActiveX
