// The test programs read models through the model box's helper of this build
// (problem/model_box.h), which lies at the top of the build folder, not beside them.

#include <stdlib.h>

namespace {

const bool kModelBoxNamed = setenv("QTB_MODEL_BOX", QTB_MODEL_BOX_FOR_TESTS, 0) == 0;

}  // namespace
