#pragma once
// TMtx: a dense matrix of doubles stored row by row, each row a contiguous run. Misuse
// raises ENumericError with the quoted message; a singular matrix does not raise (see invert).

#include <string>
#include <vector>

namespace ombrelune {

class TMtx {
public:
    TMtx() = default;
    TMtx(int rows, int cols) { SetSize(rows, cols); }

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    // Rows x cols zeros. "SetSize: Value < 0".
    void SetSize(int rows, int cols);

    double& operator()(int r, int c) { return data_[index(r, c)]; }
    double operator()(int r, int c) const { return data_[index(r, c)]; }
    double* row(int r) { return data_.data() + index(r, 0); }
    const double* row(int r) const { return data_.data() + index(r, 0); }

    // n x n unit matrix.
    void identity(int n);
    // self := m. "Mtx = Self".
    void copy(const TMtx& m);
    // self := self^-1 by LU factorisation with partial pivoting. "Quadratic = False" when not
    // square. A singular matrix is left as it was, message() tells
    // "LU factorization: U(k,k) = 0 (singular)" with the 1-based pivot k, and the result is
    // false. A successful inverse clears the message.
    bool invert();
    const std::string& message() const { return message_; }

private:
    std::size_t index(int r, int c) const {
        return static_cast<std::size_t>(r) * static_cast<std::size_t>(cols_) +
               static_cast<std::size_t>(c);
    }

    int rows_ = 0;
    int cols_ = 0;
    std::vector<double> data_;
    std::string message_;
};

} // namespace ombrelune
