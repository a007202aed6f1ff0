#pragma once

#include <gtest/gtest.h>

// Parameterised rows carry a `label` that names the test case.
struct RowName
{
    template <class Row> std::string operator()(const testing::TestParamInfo<Row>& info) const
    {
        return info.param.label;
    }
};
