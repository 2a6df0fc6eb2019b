#pragma once
// The few reference BLAS/LAPACK routines the vector and matrix classes and the least-squares
// solver use, declared with their Fortran calling convention (every argument by address,
// column-major).

extern "C" {
void dgetrf_(const int* m, const int* n, double* a, const int* lda, int* ipiv, int* info);
void dgetri_(const int* n, double* a, const int* lda, const int* ipiv, double* work,
             const int* lwork, int* info);
void dgemv_(const char* trans, const int* m, const int* n, const double* alpha, const double* a,
            const int* lda, const double* x, const int* incx, const double* beta, double* y,
            const int* incy);
void daxpy_(const int* n, const double* alpha, const double* x, const int* incx, double* y,
            const int* incy);
void dpotrf_(const char* uplo, const int* n, double* a, const int* lda, int* info);
void dpotrs_(const char* uplo, const int* n, const int* nrhs, const double* a, const int* lda,
             double* b, const int* ldb, int* info);
void dgeqrf_(const int* m, const int* n, double* a, const int* lda, double* tau, double* work,
             const int* lwork, int* info);
void dtrtri_(const char* uplo, const char* diag, const int* n, double* a, const int* lda,
             int* info);
}
