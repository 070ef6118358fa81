// src/rt/internal/expr_parser.cpp — the grammar of the expression language.
#include "rt/internal/expr_parser.hpp"

#include <string>
#include <vector>

#include "rt/internal/expr_lexer.hpp"
#include "rt/runtime.hpp"
#include "rt/text.hpp"

namespace rt::internal {

namespace {

class Parser {
 public:
  Parser(Runtime& rt, std::string_view text) : rt_(rt), lex_(text) { advance(); }

  NodePtr parseAll() {
    NodePtr n = parseList(Tok::End);
    expect(Tok::End, "end of expression");
    return n;
  }

 private:
  // RAII depth count for the recursive levels.
  struct Deeper {
    explicit Deeper(Parser& p) : p_(p) {
      if (++p_.depth_ > kMaxParseDepth) syntaxError(p_.tok_.pos, "expression nested too deeply");
    }
    ~Deeper() { --p_.depth_; }
    Parser& p_;
  };

  void advance() { tok_ = lex_.next(); }
  bool accept(Tok k) {
    if (tok_.kind != k) return false;
    advance();
    return true;
  }
  void expect(Tok k, const char* what) {
    if (!accept(k)) unexpected(std::string("expected ") + what);
  }
  [[noreturn]] void unexpected(const std::string& what) const {
    if (tok_.kind == Tok::End) syntaxError(tok_.pos, what + ", found the end");
    syntaxError(tok_.pos, what + ", found '" + std::string(tok_.text) + "'");
  }

  // e1, e2, ...: one node, or a list node giving the last value.
  NodePtr parseList(Tok end) {
    NodeList items;
    items.push_back(parseExpr());
    while (accept(Tok::Comma)) items.push_back(parseExpr());
    if (tok_.kind != end && tok_.kind != Tok::End) unexpected("expected ',' or the end of the list");
    if (items.size() == 1) return std::move(items.front());
    return makeList(std::move(items));
  }

  NodePtr parseExpr() {
    Deeper d(*this);
    return parseAssign();
  }

  NodePtr parseAssign() {
    NodePtr lhs = parseOr();
    const Tok k = tok_.kind;
    if (k != Tok::Assign && k != Tok::PlusAssign && k != Tok::MinusAssign && k != Tok::StarAssign &&
        k != Tok::SlashAssign)
      return lhs;
    if (!lhs->isLValue()) syntaxError(tok_.pos, "only a variable, field or element can be assigned");
    advance();
    NodePtr rhs = parseExpr();
    switch (k) {
      case Tok::PlusAssign: return makeCompoundAssign(BinaryOp::Add, std::move(lhs), std::move(rhs));
      case Tok::MinusAssign: return makeCompoundAssign(BinaryOp::Sub, std::move(lhs), std::move(rhs));
      case Tok::StarAssign: return makeCompoundAssign(BinaryOp::Mul, std::move(lhs), std::move(rhs));
      case Tok::SlashAssign: return makeCompoundAssign(BinaryOp::Div, std::move(lhs), std::move(rhs));
      default: return makeAssign(std::move(lhs), std::move(rhs));
    }
  }

  NodePtr parseOr() {
    NodePtr l = parseAnd();
    while (accept(Tok::Or)) l = makeOr(std::move(l), parseAnd());
    return l;
  }

  NodePtr parseAnd() {
    NodePtr l = parseNot();
    while (accept(Tok::And)) l = makeAnd(std::move(l), parseNot());
    return l;
  }

  // .NOT. binds below the comparisons: ! a = b is !(a = b).
  NodePtr parseNot() {
    Deeper d(*this);
    if (accept(Tok::Not)) return makeNot(parseNot());
    return parseEquality();
  }

  NodePtr parseEquality() {
    NodePtr l = parseRelational();
    for (;;) {
      BinaryOp op;
      switch (tok_.kind) {
        case Tok::Eq: op = BinaryOp::Eq; break;
        case Tok::ExactEq: op = BinaryOp::ExactEq; break;
        case Tok::Ne: op = BinaryOp::Ne; break;
        default: return l;
      }
      advance();
      l = makeBinary(op, std::move(l), parseRelational());
    }
  }

  NodePtr parseRelational() {
    NodePtr l = parseAdditive();
    for (;;) {
      BinaryOp op;
      switch (tok_.kind) {
        case Tok::Lt: op = BinaryOp::Lt; break;
        case Tok::Le: op = BinaryOp::Le; break;
        case Tok::Gt: op = BinaryOp::Gt; break;
        case Tok::Ge: op = BinaryOp::Ge; break;
        case Tok::Dollar: op = BinaryOp::Contains; break;
        default: return l;
      }
      advance();
      l = makeBinary(op, std::move(l), parseAdditive());
    }
  }

  // Runs of + become one concatenation node (built with a single allocation for text).
  NodePtr parseAdditive() {
    NodePtr l = parseMultiplicative();
    NodeList run;
    for (;;) {
      if (accept(Tok::Plus)) {
        if (run.empty()) run.push_back(std::move(l));
        run.push_back(parseMultiplicative());
        continue;
      }
      if (!run.empty()) l = makeConcat(std::move(run)), run.clear();
      if (!accept(Tok::Minus)) return l;
      l = makeBinary(BinaryOp::Sub, std::move(l), parseMultiplicative());
    }
  }

  NodePtr parseMultiplicative() {
    NodePtr l = parsePower();
    for (;;) {
      BinaryOp op;
      switch (tok_.kind) {
        case Tok::Star: op = BinaryOp::Mul; break;
        case Tok::Slash: op = BinaryOp::Div; break;
        case Tok::Percent: op = BinaryOp::Mod; break;
        default: return l;
      }
      advance();
      l = makeBinary(op, std::move(l), parsePower());
    }
  }

  NodePtr parsePower() {
    NodePtr l = parseUnary();
    while (accept(Tok::Power)) l = makeBinary(BinaryOp::Pow, std::move(l), parseUnary());
    return l;
  }

  NodePtr parseUnary() {
    Deeper d(*this);
    if (accept(Tok::Minus)) {
      if (tok_.kind == Tok::Number) return numberLiteral(-1);
      return makeNegate(parseUnary());
    }
    if (accept(Tok::Plus)) return makeUnaryPlus(parseUnary());
    if (accept(Tok::Not)) return makeNot(parseNot());  // ! as an operand: a = !b
    if (tok_.kind == Tok::Inc || tok_.kind == Tok::Dec) {
      const int step = tok_.kind == Tok::Inc ? 1 : -1;
      const std::size_t at = tok_.pos;
      advance();
      NodePtr target = parsePostfix();
      if (!target->isLValue()) syntaxError(at, "++ and -- need a variable");
      return makeIncDec(std::move(target), step, true);
    }
    return parsePostfix();
  }

  NodePtr parsePostfix() {
    NodePtr n = parsePrimary();
    for (;;) {
      if (tok_.kind == Tok::LBracket) {
        advance();
        NodeList idx;
        idx.push_back(parseExpr());
        while (accept(Tok::Comma)) idx.push_back(parseExpr());
        expect(Tok::RBracket, "']'");
        n = makeIndex(std::move(n), std::move(idx));
      } else if ((tok_.kind == Tok::Inc || tok_.kind == Tok::Dec) && n->isLValue()) {
        const int step = tok_.kind == Tok::Inc ? 1 : -1;
        advance();
        n = makeIncDec(std::move(n), step, false);
      } else {
        return n;
      }
    }
  }

  NodePtr numberLiteral(int sign) {
    const double v = sign * tok_.number;
    const int decimals = tok_.decimals;
    advance();
    return makeLiteral(decimals == 0 ? Value::integer(v) : Value::number(v, kDefaultWidth, decimals));
  }

  NodePtr parsePrimary() {
    Deeper d(*this);
    switch (tok_.kind) {
      case Tok::Number: return numberLiteral(1);
      case Tok::String: {
        std::string s(tok_.text);
        const bool macro = tok_.hasMacro;
        advance();
        return macro ? makeExpandedString(std::move(s)) : makeLiteral(Value::character(std::move(s)));
      }
      case Tok::True: advance(); return makeLiteral(Value::logical(true));
      case Tok::False: advance(); return makeLiteral(Value::logical(false));
      case Tok::LParen: {
        advance();
        NodePtr inner = parseList(Tok::RParen);
        expect(Tok::RParen, "')'");
        if (accept(Tok::Arrow)) return afterArrow(std::move(inner), {});
        return inner;
      }
      case Tok::LBrace: return braces();
      case Tok::Macro: {
        Memvars::Symbol* s = rt_.vars().symbol(tok_.text);
        advance();
        if (accept(Tok::Arrow)) return afterArrow(makeMemvar(s), {});
        return makeMacroVar(s);
      }
      case Tok::MacroParen: {
        advance();
        NodePtr inner = parseList(Tok::RParen);
        expect(Tok::RParen, "')'");
        return makeMacroExpr(std::move(inner));
      }
      case Tok::Ident: return identifier();
      default: unexpected("expected a value");
    }
  }

  NodePtr identifier() {
    const std::string name(tok_.text);
    advance();
    if (tok_.kind == Tok::LParen) return call(name);
    const std::string upper = asciiUpper(name);
    if (accept(Tok::Arrow)) {
      if (upper == "M" || upper == "MEMVAR") {
        if (tok_.kind != Tok::Ident) unexpected("expected a variable name after ->");
        Memvars::Symbol* s = rt_.vars().symbol(tok_.text);
        advance();
        return makeMemvar(s);
      }
      return afterArrow(nullptr, upper == "FIELD" ? std::string() : upper);
    }
    if (upper == "NIL") return makeLiteral(Value());
    for (std::size_t d = 0; d < params_.size(); ++d) {
      const auto& ps = params_[params_.size() - 1 - d];
      for (std::size_t i = 0; i < ps.size(); ++i)
        if (equalsNoCase(ps[i], name)) return makeParam(static_cast<int>(d), static_cast<int>(i));
    }
    return makeName(rt_.vars().symbol(name));
  }

  // After "->": a field name or a parenthesised expression evaluated in that area. `area` is
  // the node giving the area (alias text or number), or null for a fixed alias.
  NodePtr afterArrow(NodePtr area, std::string alias) {
    if (tok_.kind == Tok::Ident) {
      std::string field = asciiUpper(tok_.text);
      advance();
      if (area) return makeAreaField(std::move(area), std::move(field));
      return makeField(std::move(alias), std::move(field));
    }
    if (tok_.kind == Tok::LParen && !(area == nullptr && alias.empty())) {
      advance();
      NodePtr body = parseList(Tok::RParen);
      expect(Tok::RParen, "')'");
      if (!area) area = makeLiteral(Value::character(alias));
      return makeInArea(std::move(area), std::move(body));
    }
    unexpected("expected a field name or '(' after ->");
  }

  NodePtr call(const std::string& name) {
    advance();  // (
    std::vector<CallArg> args;
    if (!accept(Tok::RParen)) {
      for (;;) {
        args.push_back(argument());
        if (accept(Tok::RParen)) break;
        expect(Tok::Comma, "',' or ')'");
      }
    }
    const std::string upper = asciiUpper(name);
    if (upper == "IIF" || upper == "IF") {
      if (args.size() < 2 || args.size() > 3 || !args[0].node) syntaxError(tok_.pos, upper + " needs a condition and two values");
      for (const CallArg& a : args)
        if (a.byRef) syntaxError(tok_.pos, upper + " takes no @ arguments");
      return makeIif(std::move(args[0].node), std::move(args[1].node),
                     args.size() > 2 ? std::move(args[2].node) : nullptr);
    }
    return makeCall(name, std::move(args));
  }

  CallArg argument() {
    CallArg a;
    if (tok_.kind == Tok::Comma || tok_.kind == Tok::RParen) return a;  // empty: NIL
    if (accept(Tok::At)) {
      if (tok_.kind != Tok::Ident) unexpected("expected a variable name after @");
      NodePtr n = identifier();
      if (!n->isLValue()) syntaxError(tok_.pos, "@ needs a variable");
      a.node = std::move(n);
      a.byRef = true;
      return a;
    }
    a.node = parseExpr();
    return a;
  }

  NodePtr braces() {
    advance();  // {
    if (accept(Tok::Pipe)) return block();
    NodeList items;
    if (accept(Tok::RBrace)) return makeArray(std::move(items));
    for (;;) {
      items.push_back(tok_.kind == Tok::Comma || tok_.kind == Tok::RBrace ? nullptr : parseExpr());
      if (accept(Tok::RBrace)) break;
      expect(Tok::Comma, "',' or '}'");
    }
    return makeArray(std::move(items));
  }

  NodePtr block() {
    std::vector<std::string> names;
    if (!accept(Tok::Pipe)) {
      for (;;) {
        if (tok_.kind != Tok::Ident) unexpected("expected a parameter name");
        names.emplace_back(tok_.text);
        advance();
        if (accept(Tok::Pipe)) break;
        expect(Tok::Comma, "',' or '|'");
      }
    }
    auto body = std::make_shared<BlockBody>();
    body->paramCount = static_cast<int>(names.size());
    params_.push_back(std::move(names));
    if (tok_.kind != Tok::RBrace) {
      body->exprs.push_back(parseExpr());
      while (accept(Tok::Comma)) body->exprs.push_back(parseExpr());
    }
    params_.pop_back();
    expect(Tok::RBrace, "',' or '}'");
    return makeBlock(std::move(body));
  }

  Runtime& rt_;
  Lexer lex_;
  Token tok_;
  int depth_ = 0;
  std::vector<std::vector<std::string>> params_;  // parameter names of the enclosing blocks
};

// True when the text has a macro glued to other name characters (x&y, &y.z): such a text is
// substituted as a whole before it is compiled.
bool hasGluedMacro(std::string_view text) {
  Lexer lex(text);
  try {
    for (Token t = lex.next(); t.kind != Tok::End; t = lex.next()) {
    }
  } catch (const CompileError&) {
    return false;  // the parser reports the fault
  }
  return lex.sawGluedMacro();
}

}  // namespace

NodePtr parseExpression(Runtime& rt, std::string_view text) {
  if (hasGluedMacro(text)) return makeTextMacro(std::string(text));
  Parser p(rt, text);
  return p.parseAll();
}

}  // namespace rt::internal
