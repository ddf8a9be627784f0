#!/usr/bin/env python3
"""Writes tests/analysis/data/splines.txt: values, slopes and integrals of SciPy's Akima spline,
not-a-knot cubic spline and smoothing spline over a few awkward data sets, for the spline tests.
Run once with Debian's python3-scipy; the tests read the table and need no Python.

    python3 tools/spline_reference.py > tests/analysis/data/splines.txt
"""

import numpy as np
import scipy
from scipy.interpolate import Akima1DInterpolator, CubicSpline, make_smoothing_spline

SETS = {
    # Uneven spacing, down to a tenth of the typical step.
    "uneven": ([0, 0.3, 1.1, 1.5, 2.9, 3.0, 4.7, 6.2, 6.5, 8.0],
               [0.2, 1.3, 0.4, -0.8, 2.5, 2.9, 1.0, -1.7, -0.3, 0.9]),
    # Steep steps between flat runs.
    "steps": ([0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11],
              [0, 0, 0, 0, 10, 10, 10, 10, 0, 0, 50, 50]),
    # Repeated values and a repeated x (merged into the mean before fitting), given unsorted.
    "repeated": ([3, 0, 1, 2, 2, 4, 5, 6, 7, 8],
                 [2, 1, 1, 2, 4, 2, 3, 1, 1, 1]),
}
WEIGHTS = [1.0, 4.0]  # elasticity factors of the smoothing spline


def merged(x, y):
    """Sorted by x (stable), equal neighbours merged into their mean, from the end."""
    order = sorted(range(len(x)), key=lambda i: x[i])
    xs = [float(x[i]) for i in order]
    ys = [float(y[i]) for i in order]
    out_x, out_y = [xs[-1]], [ys[-1]]
    for i in range(len(xs) - 2, -1, -1):
        if xs[i] == out_x[-1]:
            out_y[-1] = (ys[i] + out_y[-1]) / 2
        else:
            out_x.append(xs[i])
            out_y.append(ys[i])
    return np.array(out_x[::-1]), np.array(out_y[::-1])


def rows(name, f, queries):
    antiderivative = f.antiderivative()
    for q in queries:
        value = float(f(q))
        slope = float(f.derivative()(q))
        integral = float(antiderivative(q) - antiderivative(queries[0]))
        print(f"{name} {q!r} {value!r} {slope!r} {integral!r}")


def main():
    print(f"# SciPy {scipy.__version__}: method x value slope integral-from-the-first-x")
    for name, (x, y) in SETS.items():
        print(f"set {name}")
        print("x " + " ".join(repr(float(v)) for v in x))
        print("y " + " ".join(repr(float(v)) for v in y))
        mx, my = merged(x, y)
        queries = np.linspace(mx[0], mx[-1], 41)
        rows("akima", Akima1DInterpolator(mx, my), queries)
        rows("cubic", CubicSpline(mx, my, bc_type="not-a-knot"), queries)
        for w in WEIGHTS:
            # Our weight W multiplies the residual: SciPy's weight is its square, lambda 1.
            spline = make_smoothing_spline(mx, my, w=np.full(len(mx), w * w), lam=1.0)
            rows(f"smooth{w!r}", spline, queries)


main()
