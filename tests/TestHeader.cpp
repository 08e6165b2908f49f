// The translation unit the test programs' precompiled gtest.h is built with.
#include <gtest/gtest.h>
