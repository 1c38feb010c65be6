#include "layout/overlaps.h"

#include <boost/geometry.hpp>
#include <boost/geometry/geometries/box.hpp>
#include <boost/geometry/geometries/linestring.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>

#include <vector>

namespace bg = boost::geometry;

namespace {

using Point = bg::model::d2::point_xy<double>;
using Polygon = bg::model::polygon<Point>;
using Line = bg::model::linestring<Point>;
using Box = bg::model::box<Point>;

struct BodyOutline {
  BodyPlace place;
  Line edge;       // the outline as a closed line
  Polygon polygon; // the area it encloses
  Box envelope;
};

// The wall layer of body b as a closed line (its last point lies on its
// first) and as the area it encloses, turned to the orientation the geometry
// library expects (circles and ellipses run clockwise, the other shapes
// counterclockwise).
BodyOutline bodyOutline(const LayoutParameters& layout, const Grids& grids, int b,
                        BodyPlace place) {
  BodyOutline o{place, {}, {}, {}};
  for (int p = grids.bodyFirst[b]; p <= grids.bodyLast[b]; ++p) {
    const AuxPoint& q = grids.bodyGrid[p][layout.bodyLayers][1];
    bg::append(o.edge, Point(q.bodyGridX, q.bodyGridY));
  }
  bg::assign_points(o.polygon, o.edge);
  bg::correct(o.polygon);
  bg::envelope(o.edge, o.envelope);
  return o;
}

bool insideChannel(const Box& body, const ChannelBox& channel) {
  return body.min_corner().x() >= channel.x0 && body.max_corner().x() <= channel.x1 &&
         body.min_corner().y() >= channel.y0 && body.max_corner().y() <= channel.y1;
}

} // namespace

std::optional<LayoutOverlap> findOverlap(const LayoutParameters& layout, const Grids& grids,
                                         const ChannelBox& channel) {
  // The bodies in the order of the body table: columns left to right, each
  // column's bodies lowest first.
  std::vector<BodyOutline> outlines;
  int b = 0;
  for (int c = 1; c <= layout.nColumns; ++c)
    for (int k = 1; k <= layout.columnBodies[c]; ++k)
      outlines.push_back(bodyOutline(layout, grids, ++b, {c, k}));

  for (std::size_t i = 0; i < outlines.size(); ++i) {
    const BodyOutline& one = outlines[i];
    if (!insideChannel(one.envelope, channel)) return LayoutOverlap{one.place, std::nullopt};
    for (std::size_t j = i + 1; j < outlines.size(); ++j) {
      const BodyOutline& other = outlines[j];
      // The envelopes first: most pairs are far apart.
      // Then the outlines: they cross or touch, or one body holds the other.
      if (bg::intersects(one.envelope, other.envelope) &&
          (bg::intersects(one.edge, other.edge) || bg::within(one.edge.front(), other.polygon) ||
           bg::within(other.edge.front(), one.polygon)))
        return LayoutOverlap{one.place, other.place};
    }
  }
  return std::nullopt;
}
