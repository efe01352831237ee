// The program's icon in packaging/icons/, drawn from the sample ship by its
// own generator.
#include <gtest/gtest.h>

#include "tests/support/generator_output.h"

TEST(IconGenerator, ReproducesTheCommittedIconsByteForByte) {
  ExpectGeneratorReproduces(ICON_GENERATOR, ICON_DIRECTORY);
}
