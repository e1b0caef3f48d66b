#pragma once

// When a change from one second to the next counts as a driving event.
struct EventThresholds
{
    int brakingKmh = 12;        // speed fall within one second, about 0.34 g
    int accelerationKmh = 10;   // speed rise within one second
    double impactDeltaG = 1.5;  // change of one axis between two samples
    double impactG = 2.0;       // reading of one axis, either sign
};

// The ranges the settings offer and accept.
constexpr int kMinEventKmh = 1;
constexpr int kMaxEventKmh = 100;
constexpr double kMinEventG = 0.1;
constexpr double kMaxEventG = 9.99;
