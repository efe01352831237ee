#pragma once
// The ship's textures, drawn from simple shapes and a fixed-seed pattern.
#include "image.h"

// Light hull plating in panels, seen from above: radial seams, two rings of
// windows. u runs around the saucer, v from the rim (0) inwards (1).
Image SaucerTexture();

// The saucer's edge: one row of lit windows between two seams.
Image RimTexture();

// The secondary hull. u runs from the stern (0) to the bow (1), v around the
// hull with the sides at v = 0.25 and 0.75: window rows and a stripe that ends
// in an arrowhead pointing to the bow on either side.
Image HullTexture();

// The neck: u around it, v from the hull (0) up to the saucer (1).
Image NeckTexture();

// An engine nacelle, u from the stern to the bow, v around with the outboard
// side at 0.25: plating, running lights along the outboard side and a glowing
// grille along the inboard side (0.75).
Image NacelleTexture();

// The red glow of the domes at the nacelles' bows, seen face on.
Image CollectorTexture();

// The deflector dish at the hull's bow, seen face on.
Image DeflectorTexture();
