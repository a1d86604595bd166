#include "tuning/rules.h"

#include <gtest/gtest.h>
