#pragma once

#include <cmath>
#include <numbers>

namespace sledway::model::testing {

// Perimeter of an ellipse by the Gauss-Kummer series, pi (a + b) sum binom(1/2, n)^2 h^n with
// h = ((a - b) / (a + b))^2, summed in long double until the terms no longer change the sum.
inline double EllipsePerimeter(double a, double b) {
  const long double h = std::pow((long double)(a - b) / (a + b), 2);
  long double coefficient = 1.0L;
  long double power = 1.0L;
  long double sum = 1.0L;
  for (int n = 1; n < 2000; ++n) {
    coefficient *= (0.5L - (n - 1)) / n;
    power *= h;
    const long double term = coefficient * coefficient * power;
    if (sum + term == sum) break;
    sum += term;
  }
  return static_cast<double>(std::numbers::pi_v<long double> * (a + b) * sum);
}

// Length of a helix of `turns` turns, radius r and rise `pitch` per turn.
inline double HelixLength(double r, double pitch, double turns) {
  return turns * std::hypot(2.0 * std::numbers::pi * r, pitch);
}

}  // namespace sledway::model::testing
