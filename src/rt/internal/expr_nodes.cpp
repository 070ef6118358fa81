// src/rt/internal/expr_nodes.cpp — evaluation of each kind of node.
#include "rt/internal/expr_nodes.hpp"

#include <array>
#include <cmath>

#include "base/check.hpp"
#include "rt/expression.hpp"
#include "rt/internal/expr_lexer.hpp"
#include "rt/runtime.hpp"

namespace rt::internal {

namespace {

Value raiseError(Runtime& rt, GenCode code, int subCode, std::string description, std::string_view op) {
  Error e;
  e.genCode = code;
  e.subCode = subCode;
  e.description = std::move(description);
  e.operation = std::string(op);
  e.canSubstitute = true;
  return rt.raise(std::move(e));
}

bool isTrue(Runtime& rt, const Value& v, std::string_view op, int subCode) {
  if (v.isLogical()) return v.logical();
  const Value r = operandError(rt, op, subCode);
  return r.isLogical() && r.logical();
}

Value evalTop(Runtime& rt, const Node& n) {
  static const std::shared_ptr<Frame> kNoFrame;
  Ctx c{rt, kNoFrame};
  return n.eval(c);
}

// ---- literals and lists ----

class Literal final : public Node {
 public:
  explicit Literal(Value v) : v_(std::move(v)) {}
  Value eval(Ctx&) const override { return v_; }

 private:
  Value v_;
};

class ExpandedString final : public Node {
 public:
  explicit ExpandedString(std::string t) : text_(std::move(t)) {}
  Value eval(Ctx& c) const override { return Value::character(substituteMacros(c.rt, text_, false)); }

 private:
  std::string text_;
};

class ArrayLit final : public Node {
 public:
  explicit ArrayLit(NodeList items) : items_(std::move(items)) {}
  Value eval(Ctx& c) const override {
    Value a = Value::newArray(items_.size());
    for (std::size_t i = 0; i < items_.size(); ++i)
      if (items_[i]) (*a.array())[i] = items_[i]->eval(c);
    return a;
  }

 private:
  NodeList items_;
};

class BlockLit final : public Node {
 public:
  explicit BlockLit(std::shared_ptr<const BlockBody> b) : body_(std::move(b)) {}
  Value eval(Ctx& c) const override { return Value::block(std::make_shared<const CodeBlock>(body_, c.frame)); }

 private:
  std::shared_ptr<const BlockBody> body_;
};

class List final : public Node {
 public:
  explicit List(NodeList items) : items_(std::move(items)) {}
  Value eval(Ctx& c) const override {
    for (std::size_t i = 0; i + 1 < items_.size(); ++i) (void)items_[i]->eval(c);
    return items_.back()->eval(c);
  }

 private:
  NodeList items_;
};

// ---- variables and fields ----

class Param final : public Node {
 public:
  Param(int depth, int slot) : depth_(depth), slot_(slot) {}
  Value eval(Ctx& c) const override { return slot(c); }
  bool isLValue() const override { return true; }
  void store(Ctx& c, Value v) const override { slot(c) = std::move(v); }

 private:
  Value& slot(Ctx& c) const {
    Frame* f = c.frame.get();
    for (int d = 0; d < depth_; ++d) f = f->outer.get();
    return f->slots[static_cast<std::size_t>(slot_)];
  }
  int depth_, slot_;
};

class MemvarNode final : public Node {
 public:
  explicit MemvarNode(Memvars::Symbol* s) : sym_(s) {}
  Value eval(Ctx& c) const override {
    if (const Value* v = Memvars::visible(sym_)) return *v;
    return noVariable(c.rt, sym_->name);
  }
  bool isLValue() const override { return true; }
  void store(Ctx& c, Value v) const override { c.rt.vars().assign(sym_, std::move(v)); }

 private:
  Memvars::Symbol* sym_;
};

// A field lookup remembered for one data source and epoch.
class FieldCache {
 public:
  const FieldRef& get(DataSource& ds, std::string_view alias, std::string_view name) const {
    const std::uint64_t epoch = ds.epoch();
    if (ds_ != &ds || epoch_ != epoch) {
      ref_ = ds.findField(alias, name);
      ds_ = &ds;
      epoch_ = epoch;
    }
    return ref_;
  }

 private:
  mutable const DataSource* ds_ = nullptr;
  mutable std::uint64_t epoch_ = 0;
  mutable FieldRef ref_;
};

class NameNode final : public Node {
 public:
  explicit NameNode(Memvars::Symbol* s) : sym_(s) {}
  Value eval(Ctx& c) const override {
    if (DataSource* ds = c.rt.dataSource()) {
      const FieldRef& f = cache_.get(*ds, {}, sym_->name);
      if (f.status == FieldLookup::Found) return ds->read(c.rt, f.handle);
    }
    if (const Value* v = Memvars::visible(sym_)) return *v;
    return noVariable(c.rt, sym_->name);
  }
  bool isLValue() const override { return true; }
  void store(Ctx& c, Value v) const override { c.rt.vars().assign(sym_, std::move(v)); }

 private:
  Memvars::Symbol* sym_;
  FieldCache cache_;
};

class FieldNode final : public Node {
 public:
  FieldNode(std::string alias, std::string name) : alias_(std::move(alias)), name_(std::move(name)) {}
  Value eval(Ctx& c) const override {
    DataSource* ds = c.rt.dataSource();
    if (!ds) return missing(c.rt, FieldLookup::NoAlias);
    const FieldRef& f = cache_.get(*ds, alias_, name_);
    if (f.status != FieldLookup::Found) return missing(c.rt, f.status);
    return ds->read(c.rt, f.handle);
  }
  bool isLValue() const override { return true; }
  void store(Ctx& c, Value v) const override {
    DataSource* ds = c.rt.dataSource();
    if (!ds) return (void)missing(c.rt, FieldLookup::NoAlias);
    const FieldRef& f = cache_.get(*ds, alias_, name_);
    if (f.status != FieldLookup::Found) return (void)missing(c.rt, f.status);
    ds->write(c.rt, f.handle, v);
  }

 private:
  Value missing(Runtime& rt, FieldLookup status) const {
    return status == FieldLookup::NoAlias ? noAlias(rt, alias_) : noVariable(rt, name_);
  }
  std::string alias_, name_;
  FieldCache cache_;
};

class AreaField final : public Node {
 public:
  AreaField(NodePtr area, std::string name) : area_(std::move(area)), name_(std::move(name)) {}
  Value eval(Ctx& c) const override {
    DataSource* ds = c.rt.dataSource();
    const Value area = area_->eval(c);
    if (!ds) return noAlias(c.rt, area.isText() ? area.text() : std::string());
    return ds->inArea(c.rt, area, [&] {
      const FieldRef f = ds->findField({}, name_);
      return f.status == FieldLookup::Found ? ds->read(c.rt, f.handle) : noVariable(c.rt, name_);
    });
  }
  bool isLValue() const override { return true; }
  void store(Ctx& c, Value v) const override {
    DataSource* ds = c.rt.dataSource();
    const Value area = area_->eval(c);
    if (!ds) return (void)noAlias(c.rt, area.isText() ? area.text() : std::string());
    (void)ds->inArea(c.rt, area, [&] {
      const FieldRef f = ds->findField({}, name_);
      if (f.status != FieldLookup::Found) return noVariable(c.rt, name_);
      ds->write(c.rt, f.handle, v);
      return Value();
    });
  }

 private:
  NodePtr area_;
  std::string name_;
};

class InArea final : public Node {
 public:
  InArea(NodePtr area, NodePtr body) : area_(std::move(area)), body_(std::move(body)) {}
  Value eval(Ctx& c) const override {
    const Value area = area_->eval(c);
    DataSource* ds = c.rt.dataSource();
    if (!ds) return noAlias(c.rt, area.isText() ? area.text() : std::string());
    return ds->inArea(c.rt, area, [&] { return body_->eval(c); });
  }

 private:
  NodePtr area_, body_;
};

// ---- operators ----

class Binary final : public Node {
 public:
  Binary(BinaryOp op, NodePtr l, NodePtr r) : op_(op), l_(std::move(l)), r_(std::move(r)) {}
  Value eval(Ctx& c) const override {
    const Value a = l_->eval(c);
    const Value b = r_->eval(c);
    return applyBinary(c.rt, op_, a, b);
  }

 private:
  BinaryOp op_;
  NodePtr l_, r_;
};

// a + b + c ...: the operands are evaluated left to right; while they are all text the result
// is built in one string of the right size, otherwise the sums are made pairwise.
class Concat final : public Node {
 public:
  explicit Concat(NodeList items) : items_(std::move(items)) {}
  Value eval(Ctx& c) const override {
    constexpr std::size_t kInline = 8;
    if (items_.size() > kInline) return evalInto(c, std::vector<Value>(items_.size()).data());
    std::array<Value, kInline> vals;
    return evalInto(c, vals.data());
  }

 private:
  Value evalInto(Ctx& c, Value* vals) const {
    std::size_t total = 0;
    bool allText = true;
    for (std::size_t i = 0; i < items_.size(); ++i) {
      vals[i] = items_[i]->eval(c);
      if (allText && vals[i].isText())
        total += vals[i].text().size();
      else
        allText = false;
    }
    if (allText && total <= kMaxStringLength) {
      std::string s;
      s.reserve(total);
      for (std::size_t i = 0; i < items_.size(); ++i) s += vals[i].text();
      return Value::character(std::move(s));
    }
    Value acc = std::move(vals[0]);
    for (std::size_t i = 1; i < items_.size(); ++i) acc = applyBinary(c.rt, BinaryOp::Add, acc, vals[i]);
    return acc;
  }
  NodeList items_;
};

class Unary final : public Node {
 public:
  using Fn = Value (*)(Runtime&, const Value&);
  Unary(Fn fn, NodePtr n) : fn_(fn), n_(std::move(n)) {}
  Value eval(Ctx& c) const override { return fn_(c.rt, n_->eval(c)); }

 private:
  Fn fn_;
  NodePtr n_;
};

class AndOr final : public Node {
 public:
  AndOr(bool isAnd, NodePtr l, NodePtr r) : isAnd_(isAnd), l_(std::move(l)), r_(std::move(r)) {}
  Value eval(Ctx& c) const override {
    const std::string_view op = isAnd_ ? ".AND." : ".OR.";
    const int sub = isAnd_ ? 1078 : 1079;
    const bool a = isTrue(c.rt, l_->eval(c), op, sub);
    if (a != isAnd_) return Value::logical(a);  // .F. .AND. ..., .T. .OR. ...: stop early
    return Value::logical(isTrue(c.rt, r_->eval(c), op, sub));
  }

 private:
  bool isAnd_;
  NodePtr l_, r_;
};

class Assign final : public Node {
 public:
  Assign(NodePtr t, NodePtr v) : target_(std::move(t)), value_(std::move(v)) {}
  Value eval(Ctx& c) const override {
    Value v = value_->eval(c);
    target_->store(c, v);
    return v;
  }

 private:
  NodePtr target_, value_;
};

class CompoundAssign final : public Node {
 public:
  CompoundAssign(BinaryOp op, NodePtr t, NodePtr v) : op_(op), target_(std::move(t)), value_(std::move(v)) {}
  Value eval(Ctx& c) const override {
    const Value old = target_->eval(c);
    Value v = applyBinary(c.rt, op_, old, value_->eval(c));
    target_->store(c, v);
    return v;
  }

 private:
  BinaryOp op_;
  NodePtr target_, value_;
};

class IncDec final : public Node {
 public:
  IncDec(NodePtr t, int step, bool prefix) : target_(std::move(t)), step_(step), prefix_(prefix) {}
  Value eval(Ctx& c) const override {
    Value old = target_->eval(c);
    Value now = increment(c.rt, old, step_);
    target_->store(c, now);
    return prefix_ ? now : old;
  }

 private:
  NodePtr target_;
  int step_;
  bool prefix_;
};

class Iif final : public Node {
 public:
  Iif(NodePtr c, NodePtr a, NodePtr b) : cond_(std::move(c)), a_(std::move(a)), b_(std::move(b)) {}
  Value eval(Ctx& c) const override {
    const NodePtr& chosen = isTrue(c.rt, cond_->eval(c), "IIF", 1066) ? a_ : b_;
    return chosen ? chosen->eval(c) : Value();
  }

 private:
  NodePtr cond_, a_, b_;
};

class Index final : public Node {
 public:
  Index(NodePtr base, NodeList idx) : base_(std::move(base)), idx_(std::move(idx)) {}
  Value eval(Ctx& c) const override {
    Value err;
    const Slot s = locate(c, Access::Read, err);
    return s.arr ? (*s.arr)[s.index] : err;
  }
  bool isLValue() const override { return true; }
  void store(Ctx& c, Value v) const override {
    Value err;
    const Slot s = locate(c, Access::Write, err);
    if (s.arr) (*s.arr)[s.index] = std::move(v);
  }

 private:
  enum class Access { Read, Write };
  struct Slot {
    ArrayRef arr;  // null after a raised error, whose substitute value is in `err`
    std::size_t index = 0;
  };
  // The element addressed; the array is held by the slot, so a block run by an index
  // expression cannot free it under us.
  Slot locate(Ctx& c, Access access, Value& err) const {
    Value cur = base_->eval(c);
    Slot s;
    for (std::size_t n = 0; n < idx_.size(); ++n) {
      if (n > 0) cur = (*s.arr)[s.index];
      const Value i = idx_[n]->eval(c);
      if (!cur.isArray() || !i.isNumber()) {
        err = operandError(c.rt, "array access", 1068);
        return {};
      }
      s.arr = cur.array();
      const double k = std::trunc(i.num());
      if (!(k >= 1 && k <= static_cast<double>(s.arr->size()))) {
        err = raiseError(c.rt, GenCode::Bound, access == Access::Read ? 1132 : 1133, "Bound error",
                         access == Access::Read ? "array access" : "array assign");
        return {};
      }
      s.index = static_cast<std::size_t>(k) - 1;
    }
    return s;
  }
  NodePtr base_;
  NodeList idx_;
};

class Call final : public Node {
 public:
  Call(std::string name, std::vector<CallArg> args) : name_(std::move(name)), args_(std::move(args)) {}
  Value eval(Ctx& c) const override {
    const Function* fn = resolve(c.rt);
    if (!fn) return raiseError(c.rt, GenCode::NoFunc, 1001, "Undefined function", name_);
    constexpr std::size_t kInline = 6;
    if (args_.size() > kInline) {
      std::vector<Value> vals(args_.size());
      return call(c, *fn, vals.data());
    }
    std::array<Value, kInline> vals;
    return call(c, *fn, vals.data());
  }

 private:
  const Function* resolve(Runtime& rt) const {
    const FunctionTable& t = rt.functions();
    if (!fn_ || gen_ != t.generation()) {
      fn_ = t.find(name_);
      gen_ = t.generation();
    }
    return fn_;
  }
  Value call(Ctx& c, const Function& fn, Value* vals) const {
    for (std::size_t i = 0; i < args_.size(); ++i)
      if (args_[i].node) vals[i] = args_[i].node->eval(c);
    Args a(std::span<Value>(vals, args_.size()));
    Value r = fn(c.rt, a);
    for (std::size_t i = 0; i < args_.size(); ++i)
      if (args_[i].byRef) args_[i].node->store(c, std::move(vals[i]));
    return r;
  }
  std::string name_;
  std::vector<CallArg> args_;
  mutable const Function* fn_ = nullptr;
  mutable std::uint64_t gen_ = 0;
};

// ---- macros ----

ExprRef compileMacro(Runtime& rt, const Value& text) {
  if (!text.isText()) return nullptr;
  try {
    return rt.compile(text.text());
  } catch (const CompileError& e) {
    (void)rt.raise(e.error());  // the handler may go on with a value; the macro then gives NIL
    return nullptr;
  }
}

class MacroNode final : public Node {
 public:
  MacroNode(Memvars::Symbol* s, NodePtr expr) : sym_(s), expr_(std::move(expr)) {}
  Value eval(Ctx& c) const override {
    Value text;
    ExprRef e = macroText(c, text);
    if (!e) return text.isText() ? Value() : operandError(c.rt, "&", 1065);
    Runtime::Nesting nest(c.rt);
    return evalTop(c.rt, e->root());
  }
  bool isLValue() const override { return true; }
  void store(Ctx& c, Value v) const override {
    Value text;
    ExprRef e = macroText(c, text);
    if (!e) return (void)(text.isText() ? Value() : operandError(c.rt, "&", 1065));
    if (!e->root().isLValue()) return (void)operandError(c.rt, ":=", 1065);
    Runtime::Nesting nest(c.rt);
    static const std::shared_ptr<Frame> kNoFrame;
    Ctx top{c.rt, kNoFrame};
    e->root().store(top, std::move(v));
  }

 private:
  ExprRef macroText(Ctx& c, Value& text) const {
    if (sym_) {
      const Value* v = Memvars::visible(sym_);
      text = v ? *v : noVariable(c.rt, sym_->name);
    } else {
      text = expr_->eval(c);
    }
    return compileMacro(c.rt, text);
  }
  Memvars::Symbol* sym_;
  NodePtr expr_;
};

class TextMacro final : public Node {
 public:
  explicit TextMacro(std::string t) : text_(std::move(t)) {}
  Value eval(Ctx& c) const override {
    ExprRef e = compileMacro(c.rt, Value::character(substituteMacros(c.rt, text_, true)));
    if (!e) return Value();
    Runtime::Nesting nest(c.rt);
    return evalTop(c.rt, e->root());
  }

 private:
  std::string text_;
};

}  // namespace

void Node::store(Ctx&, Value) const { ZEL_CHECK(false && "store on a node that is not assignable"); }

Value noVariable(Runtime& rt, std::string_view name) {
  return raiseError(rt, GenCode::NoVar, 1003, "Variable does not exist", name);
}

Value noAlias(Runtime& rt, std::string_view alias) {
  return raiseError(rt, GenCode::NoAlias, 1002, "Alias does not exist", alias);
}

std::string substituteMacros(Runtime& rt, std::string_view text, bool strict) {
  std::string out;
  out.reserve(text.size());
  char quote = 0;
  for (std::size_t i = 0; i < text.size();) {
    const char ch = text[i];
    if (strict && quote) {
      if (ch == quote) quote = 0;
      out += ch, ++i;
      continue;
    }
    if (strict && (ch == '"' || ch == '\'')) {
      quote = ch;
      out += ch, ++i;
      continue;
    }
    if (ch != '&' || i + 1 >= text.size() || !isNameStart(text[i + 1])) {
      out += ch, ++i;
      continue;
    }
    std::size_t e = i + 1;
    while (e < text.size() && isNameChar(text[e])) ++e;
    const std::string_view name = text.substr(i + 1, e - i - 1);
    const Value* v = rt.vars().find(name);
    if (v && v->isText()) {
      out += v->text();
      i = (e < text.size() && text[e] == '.') ? e + 1 : e;
    } else if (strict) {
      const Value r = v ? operandError(rt, "&", 1065) : noVariable(rt, name);
      if (r.isText()) out += r.text();
      i = (e < text.size() && text[e] == '.') ? e + 1 : e;
    } else {
      out.append(text.substr(i, e - i));
      i = e;
    }
  }
  return out;
}

NodePtr makeLiteral(Value v) { return std::make_unique<Literal>(std::move(v)); }
NodePtr makeExpandedString(std::string text) { return std::make_unique<ExpandedString>(std::move(text)); }
NodePtr makeArray(NodeList items) { return std::make_unique<ArrayLit>(std::move(items)); }
NodePtr makeBlock(std::shared_ptr<const BlockBody> body) { return std::make_unique<BlockLit>(std::move(body)); }
NodePtr makeList(NodeList items) { return std::make_unique<List>(std::move(items)); }
NodePtr makeParam(int depth, int slot) { return std::make_unique<Param>(depth, slot); }
NodePtr makeMemvar(Memvars::Symbol* s) { return std::make_unique<MemvarNode>(s); }
NodePtr makeName(Memvars::Symbol* s) { return std::make_unique<NameNode>(s); }
NodePtr makeField(std::string alias, std::string name) {
  return std::make_unique<FieldNode>(std::move(alias), std::move(name));
}
NodePtr makeAreaField(NodePtr area, std::string name) {
  return std::make_unique<AreaField>(std::move(area), std::move(name));
}
NodePtr makeInArea(NodePtr area, NodePtr body) { return std::make_unique<InArea>(std::move(area), std::move(body)); }
NodePtr makeBinary(BinaryOp op, NodePtr l, NodePtr r) {
  return std::make_unique<Binary>(op, std::move(l), std::move(r));
}
NodePtr makeConcat(NodeList items) { return std::make_unique<Concat>(std::move(items)); }
NodePtr makeNegate(NodePtr n) { return std::make_unique<Unary>(&negate, std::move(n)); }
NodePtr makeUnaryPlus(NodePtr n) { return std::make_unique<Unary>(&unaryPlus, std::move(n)); }
NodePtr makeNot(NodePtr n) { return std::make_unique<Unary>(&logicalNot, std::move(n)); }
NodePtr makeAnd(NodePtr l, NodePtr r) { return std::make_unique<AndOr>(true, std::move(l), std::move(r)); }
NodePtr makeOr(NodePtr l, NodePtr r) { return std::make_unique<AndOr>(false, std::move(l), std::move(r)); }
NodePtr makeAssign(NodePtr t, NodePtr v) { return std::make_unique<Assign>(std::move(t), std::move(v)); }
NodePtr makeCompoundAssign(BinaryOp op, NodePtr t, NodePtr v) {
  return std::make_unique<CompoundAssign>(op, std::move(t), std::move(v));
}
NodePtr makeIncDec(NodePtr t, int step, bool prefix) { return std::make_unique<IncDec>(std::move(t), step, prefix); }
NodePtr makeIif(NodePtr c, NodePtr a, NodePtr b) {
  return std::make_unique<Iif>(std::move(c), std::move(a), std::move(b));
}
NodePtr makeIndex(NodePtr base, NodeList idx) { return std::make_unique<Index>(std::move(base), std::move(idx)); }
NodePtr makeCall(std::string name, std::vector<CallArg> args) {
  return std::make_unique<Call>(std::move(name), std::move(args));
}
NodePtr makeMacroVar(Memvars::Symbol* s) { return std::make_unique<MacroNode>(s, nullptr); }
NodePtr makeMacroExpr(NodePtr text) { return std::make_unique<MacroNode>(nullptr, std::move(text)); }
NodePtr makeTextMacro(std::string text) { return std::make_unique<TextMacro>(std::move(text)); }

}  // namespace rt::internal
