#include "platform/RunTimeMath.h"

#include <cmath>

long double ToReal48(long double value)
{
    if (value == 0 || !std::isfinite(value))
        return value;
    int exponent = 0;
    long double mantissa = std::frexp(value, &exponent);  // in [0.5, 1)
    return std::ldexp(std::nearbyint(std::ldexp(mantissa, 40)), exponent - 40);
}

long long Round(long double value)
{
    return std::llrint(value);
}
