#pragma once
// Small dense linear systems of the pile analysis's fits: Gaussian elimination with partial
// pivoting, in place.

#include <vector>

// Solves a x = b for the n x n matrix `a` (row by row) and leaves x in b. False, with a and b
// spoiled, when the matrix is singular or nearly so.
bool SolveLinear(std::vector<double>& a, std::vector<double>& b);
