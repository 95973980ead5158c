// Limits of the pulse counter.
#define PULSE_MAX 1000
