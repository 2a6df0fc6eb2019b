#include "errors/errors.hpp"
#include "numeric/tmtx.hpp"
#include "numeric/tvec.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace ombrelune {
namespace {

TVec vec(std::initializer_list<double> values) {
    TVec v;
    v.assign(std::vector<double>(values));
    return v;
}

TMtx mtx(int rows, int cols, std::initializer_list<double> values) {
    TMtx m(rows, cols);
    auto it = values.begin();
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) m(r, c) = *it++;
    return m;
}

TEST(TVecTMtx, MisuseRaisesItsMessage) {
    struct Case {
        const char* what;
        std::function<void()> misuse;
        const char* message;
    };
    TVec a = vec({1, 2});
    TVec b = vec({3, 4, 5});
    TVec c = vec({6, 7});
    const TMtx m23 = mtx(2, 3, {1, 2, 3, 4, 5, 6});
    const TMtx empty(0, 4);
    TMtx square = mtx(2, 2, {1, 2, 3, 4});
    TMtx wide(2, 3);
    const Case cases[] = {
        {"sum of unequal lengths", [&] { c.add(a, b); }, "Vec1.Length <> Vec2.Length"},
        {"sum into an operand", [&] { a.add(a, c); }, "(Self = Vec1) or (Self = Vec2)"},
        {"difference of unequal lengths", [&] { c.subtract(b, a); }, "Vec1.Length <> Vec2.Length"},
        {"difference into an operand", [&] { c.subtract(a, c); }, "(Self = Vec1) or (Self = Vec2)"},
        {"scaled add of itself", [&] { a.addScaled(a, 2); }, "TVec.Add: Self = Vec"},
        {"scaled add of another length", [&] { a.addScaled(b, 2); }, "Vec.Length <> Length"},
        {"absolute value of itself", [&] { a.abs(a); }, "Self = Vec"},
        {"row of no matrix", [&] { a.copyRow(nullptr, 0); }, "Mtx = nil"},
        {"row of an empty matrix", [&] { a.copyRow(&empty, 0); }, "Mtx.Rows*Mtx.Cols = 0"},
        {"row past the last", [&] { a.copyRow(&m23, 2); }, "Row > Mtx.Rows-1"},
        {"row before the first", [&] { a.copyRow(&m23, -1); }, "Row < 0"},
        {"product with a short vector", [&] { c.multiply(m23, a); }, "Length <> Mtx.Cols"},
        {"matrix copy of itself", [&] { square.copy(square); }, "Mtx = Self"},
        {"inverse of a non-square matrix", [&] { wide.invert(); }, "Quadratic = False"},
        {"negative length", [&] { a.SetLength(-1); }, "SetLength: Value < 0"},
        {"negative size", [&] { wide.SetSize(-2, 1); }, "SetSize: Value < 0"},
    };
    for (const Case& k : cases) {
        try {
            k.misuse();
            ADD_FAILURE() << k.what << ": nothing raised";
        } catch (const ENumericError& e) {
            EXPECT_EQ(std::string(e.what()), k.message) << k.what;
        }
    }
    // A refused operation leaves its target alone.
    EXPECT_EQ(a.Length(), 2);
    EXPECT_EQ(a[1], 2);
}

TEST(TVecTMtx, VectorOperations) {
    const TVec a = vec({1, -2, 3});
    const TVec b = vec({4, 5, -6});
    TVec r;
    r.add(a, b);
    EXPECT_EQ(r.values()[0], 5);
    EXPECT_EQ(r[2], -3);
    r.subtract(a, b);
    EXPECT_EQ(r[1], -7);
    r.addScaled(a, 2); // (-3, -7, 9) + 2 (1, -2, 3)
    EXPECT_EQ(r[0], -1);
    EXPECT_EQ(r[1], -11);
    EXPECT_EQ(r[2], 15);
    r.scale(0.5);
    EXPECT_EQ(r[2], 7.5);
    r.negate();
    EXPECT_EQ(r[0], 0.5);
    r.abs(b);
    EXPECT_EQ(r[2], 6);
    EXPECT_EQ(b.max(), 5);
    EXPECT_EQ(a.dot(vec({2, 1})), 0); // over the shorter length: 1*2 + -2*1
    EXPECT_EQ(a.dot(b), 4 - 10 - 18);
    TVec grown = vec({1});
    grown.SetLength(3);
    EXPECT_EQ(grown.Length(), 3);
    EXPECT_EQ(grown[2], 0);
}

TEST(TVecTMtx, MatrixProductsAndRows) {
    const TMtx m = mtx(2, 3, {1, 2, 3, 4, 5, 6});
    TVec v = vec({1, 0, -1});
    TVec y;
    y.multiply(m, v);
    ASSERT_EQ(y.Length(), 2);
    EXPECT_EQ(y[0], -2);
    EXPECT_EQ(y[1], -2);
    TMtx square = mtx(3, 3, {2, 0, 0, 1, 1, 0, 0, 0, 3});
    v.multiply(square, v); // the product may overwrite its own operand
    EXPECT_EQ(v[0], 2);
    EXPECT_EQ(v[1], 1);
    EXPECT_EQ(v[2], -3);
    y.copyRow(&m, 1);
    ASSERT_EQ(y.Length(), 3);
    EXPECT_EQ(y[2], 6);
    TMtx id;
    id.identity(3);
    TMtx copy;
    copy.copy(m);
    EXPECT_EQ(copy.Rows(), 2);
    EXPECT_EQ(copy(1, 0), 4);
    EXPECT_EQ(id(2, 2), 1);
    EXPECT_EQ(id(0, 2), 0);
}

TEST(TVecTMtx, InverseOfRegularAndSingularMatrices) {
    // A matrix that needs row pivoting (zero leading element) and is not symmetric.
    const TMtx original = mtx(3, 3, {0, 2, 1, 1, 1, 0, 3, 0, 1});
    TMtx inv;
    inv.copy(original);
    ASSERT_TRUE(inv.invert());
    EXPECT_EQ(inv.message(), "");
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            double sum = 0;
            for (int k = 0; k < 3; ++k) sum += original(i, k) * inv(k, j);
            EXPECT_NEAR(sum, i == j ? 1 : 0, 1e-14) << i << "," << j;
        }

    TMtx singular = mtx(3, 3, {1, 2, 3, 2, 4, 6, 1, 0, 1});
    EXPECT_FALSE(singular.invert());
    EXPECT_EQ(singular.message().rfind("LU factorization: U(", 0), 0u) << singular.message();
    EXPECT_NE(singular.message().find(") = 0 (singular)"), std::string::npos);
    EXPECT_EQ(singular(1, 2), 6); // left as it was

    TMtx zero(2, 2);
    EXPECT_FALSE(zero.invert());
    EXPECT_EQ(zero.message(), "LU factorization: U(1,1) = 0 (singular)");
    TMtx none(0, 0);
    EXPECT_TRUE(none.invert());
}

} // namespace
} // namespace ombrelune
