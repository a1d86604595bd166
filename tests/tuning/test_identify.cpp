#include "tuning/identify.h"

#include <gtest/gtest.h>
