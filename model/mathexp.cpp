#include "model/mathexp.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "model/mathutl.h"

namespace mathexp {
namespace {

enum Op {
  kNone, kLE, kLT, kGE, kEQ, kGT, kNE, kOr, kNot, kAnd, kMul, kAdd, kSub, kDiv,
};

template <typename T>
struct Token {
  Op op;    // kNone: a value
  T value;
};

// Deeply nested groups fail instead of exhausting the stack.
constexpr int kMaxDepth = 200;

struct OpText {
  const char* text;
  Op op;
};
// Longer operators first, so that "<=" is not read as "<" and "=".
constexpr OpText kOps[] = {
    {"<=", kLE}, {"<", kLT}, {">=", kGE}, {"=", kEQ}, {">", kGT}, {"!=", kNE},
    {"|", kOr},  {"!", kNot}, {"&", kAnd}, {"*", kMul}, {"+", kAdd}, {"-", kSub},
    {"/", kDiv},
};

template <typename T>
bool Evaluate(const char* begin, const char* end, T v, T* result, int depth);


template <typename T>
bool Tokenise(const char* p, const char* end, T v, std::vector<Token<T>>* tokens,
              int depth) {
  while (p < end) {
    char c = *p;
    if (c == '\r' || c == '\n' || c == '\t' || c == ' ') {
      ++p;
      continue;
    }
    if (c == '(') {
      if (depth >= kMaxDepth) return false;
      int nesting = 1;
      const char* q = p + 1;
      for (; q < end; ++q) {
        if (*q == '(') ++nesting;
        else if (*q == ')' && --nesting == 0) break;
      }
      if (q >= end) return false;
      T inner;
      if (!Evaluate(p + 1, q, v, &inner, depth + 1)) return false;
      tokens->push_back({kNone, inner});
      p = q + 1;
      continue;
    }
    bool matched = false;
    for (const OpText& o : kOps) {
      size_t n = std::strlen(o.text);
      if (static_cast<size_t>(end - p) >= n && std::memcmp(p, o.text, n) == 0) {
        tokens->push_back({o.op, T(0)});
        p += n;
        matched = true;
        break;
      }
    }
    if (matched) continue;
    if (c == 'v') {
      tokens->push_back({kNone, v});
      ++p;
      continue;
    }
    // strtod would skip other white space and take a sign: neither may
    // begin a number here.
    if (std::isspace(static_cast<unsigned char>(c)) || c == '+' || c == '-')
      return false;
    // strtod needs a terminated text; a group ends before the NUL.
    std::string copy;
    const char* from = p;
    if (*end != '\0') {
      copy.assign(p, end);
      from = copy.c_str();
    }
    char* stop = nullptr;
    double d = std::strtod(from, &stop);
    if (stop == from) return false;
    tokens->push_back({kNone, mathutl::narrow<T>(d)});
    p += stop - from;
  }
  return true;
}

template <typename T>
bool Operand(const std::vector<Token<T>>& tokens, size_t* i, T* out) {
  if (*i >= tokens.size()) return false;
  const Token<T>& t = tokens[*i];
  if (t.op == kNone) {
    *out = t.value;
    *i += 1;
    return true;
  }
  if ((t.op == kSub || t.op == kNot) && *i + 1 < tokens.size() &&
      tokens[*i + 1].op == kNone) {
    T x = tokens[*i + 1].value;
    *out = t.op == kSub ? -x : (x == T(0) ? T(1) : T(0));
    *i += 2;
    return true;
  }
  return false;
}

template <typename T>
bool Apply(Op op, T acc, T x, T* out) {
  switch (op) {
    case kAdd: *out = acc + x; return true;
    case kSub: *out = acc - x; return true;
    case kMul: *out = acc * x; return true;
    case kDiv: *out = acc / x; return true;
    case kLT: *out = acc < x ? T(1) : T(0); return true;
    case kGT: *out = acc > x ? T(1) : T(0); return true;
    case kEQ: *out = acc == x ? T(1) : T(0); return true;
    case kLE: *out = acc <= x ? T(1) : T(0); return true;
    case kGE: *out = acc >= x ? T(1) : T(0); return true;
    case kNE: *out = acc != x ? T(1) : T(0); return true;
    case kAnd: *out = acc == T(0) ? T(0) : (x != T(0) ? T(1) : T(0)); return true;
    case kOr: *out = acc != T(0) ? T(1) : (x != T(0) ? T(1) : T(0)); return true;
    default: return false;  // "!" or a value between two operands
  }
}

template <typename T>
bool Evaluate(const char* begin, const char* end, T v, T* result, int depth) {
  if (depth > kMaxDepth) return false;
  std::vector<Token<T>> tokens;
  if (!Tokenise(begin, end, v, &tokens, depth)) return false;
  if (tokens.empty()) return false;
  size_t i = 0;
  T acc;
  if (!Operand(tokens, &i, &acc)) return false;
  while (i < tokens.size()) {
    Op op = tokens[i].op;
    if (op == kNone) return false;
    ++i;
    T x;
    if (!Operand(tokens, &i, &x)) return false;
    if (!Apply(op, acc, x, &acc)) return false;
  }
  *result = acc;
  return true;
}

template <typename T>
bool EvalText(const char* text, T v, T* result) {
  if (text == nullptr || *text == '\0') return false;
  T value;
  if (!Evaluate(text, text + std::strlen(text), v, &value, 0)) return false;
  *result = value;
  return true;
}

}  // namespace

bool eval(const char* text, float v, float* result) { return EvalText(text, v, result); }
bool eval(const char* text, double v, double* result) { return EvalText(text, v, result); }

}  // namespace mathexp
