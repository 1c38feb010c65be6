#include "coupling/cell_buckets.h"

#include <algorithm>
#include <cmath>

void CellBuckets::clear() {
  cells_.clear();
  refX_.clear();
  refY_.clear();
  start_.clear();
  order_.clear();
  nx_ = ny_ = 0;
}

void CellBuckets::add(double refX, double refY, const Cell& cell) {
  if (!std::isfinite(refX) || !std::isfinite(refY)) return; // never passes the prefilter
  cells_.push_back(cell);
  refX_.push_back(refX);
  refY_.push_back(refY);
}

void CellBuckets::build() {
  start_.clear();
  order_.clear();
  nx_ = ny_ = 0;
  if (cells_.empty()) return;
  const auto [loX, hiX] = std::minmax_element(refX_.begin(), refX_.end());
  const auto [loY, hiY] = std::minmax_element(refY_.begin(), refY_.end());
  bucketSize_ = 2.0;
  while (std::floor(*hiX / bucketSize_) - std::floor(*loX / bucketSize_) >= kMaxBucketsPerAxis ||
         std::floor(*hiY / bucketSize_) - std::floor(*loY / bucketSize_) >= kMaxBucketsPerAxis)
    bucketSize_ *= 2;
  firstX_ = std::floor(*loX / bucketSize_);
  firstY_ = std::floor(*loY / bucketSize_);
  nx_ = static_cast<int>(std::floor(*hiX / bucketSize_) - firstX_) + 1;
  ny_ = static_cast<int>(std::floor(*hiY / bucketSize_) - firstY_) + 1;

  // Counting sort by bucket; stable, so each bucket lists its cells in scan order.
  const int n = static_cast<int>(cells_.size());
  std::vector<int> bucketOf(n);
  start_.assign(static_cast<std::size_t>(nx_) * ny_ + 1, 0);
  for (int k = 0; k < n; ++k) {
    const int ix = static_cast<int>(std::floor(refX_[k] / bucketSize_) - firstX_);
    const int iy = static_cast<int>(std::floor(refY_[k] / bucketSize_) - firstY_);
    bucketOf[k] = iy * nx_ + ix;
    ++start_[bucketOf[k] + 1];
  }
  for (std::size_t q = 1; q < start_.size(); ++q) start_[q] += start_[q - 1];
  order_.resize(n);
  std::vector<int> fill(start_.begin(), start_.end() - 1);
  for (int k = 0; k < n; ++k) order_[fill[bucketOf[k]]++] = k;
}

void CellBuckets::candidates(double x, double y, std::vector<int>& out) const {
  out.clear();
  if (nx_ == 0 || !std::isfinite(x) || !std::isfinite(y)) return;
  // Bucket of the target, relative to bucket 0; compared as doubles so that a
  // target far outside cannot overflow an int.
  const double tx = std::floor(x / bucketSize_) - firstX_;
  const double ty = std::floor(y / bucketSize_) - firstY_;
  if (tx < -1 || tx > nx_ || ty < -1 || ty > ny_) return;
  const int ix0 = std::max(0, static_cast<int>(tx) - 1),
            ix1 = std::min(nx_ - 1, static_cast<int>(tx) + 1);
  const int iy0 = std::max(0, static_cast<int>(ty) - 1),
            iy1 = std::min(ny_ - 1, static_cast<int>(ty) + 1);
  for (int iy = iy0; iy <= iy1; ++iy)
    for (int ix = ix0; ix <= ix1; ++ix) {
      const int q = iy * nx_ + ix;
      out.insert(out.end(), order_.begin() + start_[q], order_.begin() + start_[q + 1]);
    }
  std::sort(out.begin(), out.end());
}
