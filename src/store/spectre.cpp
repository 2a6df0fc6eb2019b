#include "store/spectre.hpp"

#include "store/text_encoding.hpp"

#include <algorithm>
#include <limits>
#include <unistd.h>

namespace ombrelune {

void spectre::clear() {
    for (auto& p : points_) p = spectrePoint{1.0, 0, 0, 0, 0};
    cursorI = cursorJ = cursorK = 0;
}

void spectre::fillValues(double v) {
    for (auto& p : points_) p.value = v;
}

void spectre::setXAlongI(std::span<const double> xs) {
    for (std::size_t p = 0; p < points_.size(); ++p)
        points_[p].x = xs[p / (static_cast<std::size_t>(ny) * static_cast<std::size_t>(nz))];
}

void spectre::setYAlongJ(std::span<const double> ys) {
    for (std::size_t p = 0; p < points_.size(); ++p)
        points_[p].y = ys[p / static_cast<std::size_t>(nz) % static_cast<std::size_t>(ny)];
}

void spectre::setZAlongK(std::span<const double> zs) {
    for (std::size_t p = 0; p < points_.size(); ++p)
        points_[p].z = zs[p % static_cast<std::size_t>(nz)];
}

void spectre::resize(std::int32_t newNx, std::int32_t newNy, std::int32_t newNz) {
    if (newNx == nx && newNy == ny && newNz == nz) return;
    PointVector fresh(static_cast<std::size_t>(std::max(0, newNx)) *
                      static_cast<std::size_t>(std::max(0, newNy)) *
                      static_cast<std::size_t>(std::max(0, newNz)));
    const std::int32_t keepI = std::min(nx, newNx), keepJ = std::min(ny, newNy),
                       keepK = std::min(nz, newNz);
    for (std::int32_t i = 0; i < keepI; ++i)
        for (std::int32_t j = 0; j < keepJ; ++j)
            for (std::int32_t k = 0; k < keepK; ++k)
                fresh[(static_cast<std::size_t>(i) * newNy + j) * newNz + k] = pointAt(i, j, k);
    points_ = std::move(fresh);
    nx = newNx;
    ny = newNy;
    nz = newNz;
}

void spectre::setExpCond(const std::string& condName, double value) {
    const std::string key = utf8Prefix(condName, expCondNameWidth);
    for (auto it = expConds.rbegin(); it != expConds.rend(); ++it) {
        if (it->name == key) {
            it->value = value;
            return;
        }
    }
    expConds.push_back(expCond{key, value});
}

std::vector<double> indexAxis(std::int32_t n) {
    std::vector<double> axis(static_cast<std::size_t>(std::max(0, n)));
    for (std::size_t i = 0; i < axis.size(); ++i) axis[i] = static_cast<double>(i);
    return axis;
}

std::int64_t checkedPointCount(std::int64_t nx, std::int64_t ny, std::int64_t nz) {
    if (nx < 0 || ny < 0 || nz < 0) return -1;
    constexpr std::int64_t int32Max = std::numeric_limits<std::int32_t>::max();
    if (nx > int32Max || ny > int32Max || nz > int32Max) return -1;
    if (nx == 0 || ny == 0 || nz == 0) return 0;
    std::int64_t limit = maxSpectrumPoints;
    const long pages = sysconf(_SC_PHYS_PAGES), pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages > 0 && pageSize > 0) {
        const std::int64_t memoryPoints =
            static_cast<std::int64_t>(pages) / 2 * pageSize / std::int64_t{sizeof(spectrePoint)};
        limit = std::min(limit, memoryPoints);
    }
    if (nx > limit || ny > limit / nx) return -1;
    const std::int64_t nxy = nx * ny;
    if (nz > limit / nxy) return -1;
    return nxy * nz;
}

} // namespace ombrelune
