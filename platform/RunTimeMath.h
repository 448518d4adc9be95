#pragma once

// The 6-byte real of the run-time library: 40 significant bits. Dropped bits are rounded to the nearest,
// a tie to even, as the FPU rounds by default when it stores to a narrower type.
long double ToReal48(long double value);

// Round to the nearest integer, an exact half to the even neighbour.
long long Round(long double value);
