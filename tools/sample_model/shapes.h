#pragma once
// The two primitives the ship is made of: surfaces of revolution (saucer,
// hull, nacelles) and lofts between two outlines (neck, pylons).
#include <vector>

#include "geometry.h"
#include "mesh.h"

// How a band of a lathe takes its texture coordinates.
enum class TexMapping {
  kAroundAlong,  // u runs around the axis, v across the rings
  kAlongAround,  // u runs across the rings, v around the axis: text along a hull
  kDisc,         // a flat projection onto the plane across the axis: dishes, domes
};

struct ProfilePoint {
  double axial;   // position along the axis
  double radius;  // distance from the axis; 0 closes the surface in a point
  bool crease;    // the surface breaks here: the bands on either side keep their own normals
  int material;   // of the band from this point to the next
  TexMapping mapping;  // of that band
};

struct LatheFrame {
  Vec3d origin;
  Vec3d axis;   // unit; the profile runs from its low end to its high end
  Vec3d side;   // unit; where the angle 0 lies
  Vec3d up;     // unit; where the angle 90 degrees lies
  double sideScale;  // an elliptic cross-section: radius factor towards side
  double upScale;    // and towards up
};

struct LatheOptions {
  int segments;         // around the axis
  double aroundRepeat;  // how often the texture repeats around the axis
  double discRadius;    // the radius that the kDisc mapping spreads over its texture
};

// Turns the profile about the axis. The profile runs so that the outside lies
// to its left in the (axial, radius) plane: from the rear end, out, along and
// back in to the front end. Each band between two profile points gives one
// quad per segment, or one triangle where a radius is 0. Across the rings the
// texture runs from 0 to 1 over each run of bands with the same material and
// mapping, in proportion to the profile's length.
Mesh Lathe(const LatheFrame& frame, const std::vector<ProfilePoint>& profile, const LatheOptions& options);

// Joins two closed outlines of equal length with one quad per outline edge;
// u runs around the outline, v from the first outline (0) to the second (1).
// Smooth loft normals follow the outline; flat ones are the faces' own.
Mesh Loft(const std::vector<Vec3d>& first, const std::vector<Vec3d>& second, bool smooth, int material);
