// Linear interpolation between two joint positions.
void interpolate(const double* from, const double* to, double share,
                 double* out, int axes) {
    for (int i = 0; i < axes; ++i)
        out[i] = from[i] + (to[i] - from[i]) * share;
}
