#!/usr/bin/env python3
"""Writes tests/analysis/data/fourier.txt: numpy.fft's amplitudes and phases of pseudo-random
complex signals of several lengths, for the Fourier tests. The signal comes from a 64-bit linear
congruential generator that the test repeats bit for bit. Run once with Debian's python3-numpy;
the tests read the table and need no Python.

    python3 tools/fourier_reference.py > tests/analysis/data/fourier.txt
"""

import math

import numpy as np

LENGTHS = [8, 12, 1000, 1024, 4099]
# Every frequency of the short signals, every STRIDE-th (and the last) of the long ones.
STRIDE = 7
MASK = (1 << 64) - 1


def signal(n):
    """Real and imaginary parts alternate; each is (state >> 11) / 2^53 - 1/2."""
    state = n
    values = []
    for _ in range(2 * n):
        state = (6364136223846793005 * state + 1442695040888963407) & MASK
        values.append((state >> 11) / 2.0**53 - 0.5)
    return np.array(values[0::2]) + 1j * np.array(values[1::2])


def main():
    print(f"# numpy {np.__version__}: n k amplitude phase")
    for n in LENGTHS:
        spectrum = np.fft.fft(signal(n))
        for k in range(n):
            if n > 12 and k % STRIDE and k != n - 1:
                continue
            amplitude = abs(spectrum[k]) / n
            phase = float(np.angle(spectrum[k])) if amplitude else 0.0
            if abs(phase - math.pi) <= 1e-15:
                phase = 0.0
            print(f"{n} {k} {amplitude!r} {phase!r}")


main()
