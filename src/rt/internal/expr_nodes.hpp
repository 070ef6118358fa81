// src/rt/internal/expr_nodes.hpp — the compiled form of an expression: a tree of nodes, each
// evaluating itself. Names are resolved while compiling: memory variables to their Memvars
// symbol, block parameters to (depth, slot), functions to a table entry checked against the
// table's generation, fields to a FieldHandle checked against the data source's epoch.
// Rules:
//   E1  a node never changes after compiling except for its resolution caches, which are
//       re-validated on every use; a compiled tree may therefore be shared and re-entered.
//   E2  an expression belongs to the Runtime that compiled it (its symbols live there).
//   E3  assignable nodes (variables, fields, subscripts, block parameters, macros) override
//       store(); isLValue() says which.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "rt/data_source.hpp"
#include "rt/function_table.hpp"
#include "rt/memvars.hpp"
#include "rt/operators.hpp"
#include "rt/value.hpp"

namespace rt {
class Runtime;
}

namespace rt::internal {

// The arguments of one running code block and of the blocks around it.
struct Frame {
  std::vector<Value> slots;
  std::shared_ptr<Frame> outer;
};

struct Ctx {
  Runtime& rt;
  const std::shared_ptr<Frame>& frame;  // empty outside code blocks
};

class Node {
 public:
  virtual ~Node() = default;
  virtual Value eval(Ctx& c) const = 0;
  virtual bool isLValue() const { return false; }
  virtual void store(Ctx& c, Value v) const;  // REQUIRES: isLValue()
};

using NodePtr = std::unique_ptr<Node>;
using NodeList = std::vector<NodePtr>;

struct BlockBody {
  int paramCount = 0;
  NodeList exprs;
};

NodePtr makeLiteral(Value v);
NodePtr makeExpandedString(std::string text);  // a literal with &name inside
NodePtr makeArray(NodeList items);
NodePtr makeBlock(std::shared_ptr<const BlockBody> body);
NodePtr makeList(NodeList items);  // (e1, e2): the last value
NodePtr makeParam(int depth, int slot);
NodePtr makeMemvar(Memvars::Symbol* s);               // M->name, and @name
NodePtr makeName(Memvars::Symbol* s);                 // a bare name: field of the current area or memvar
NodePtr makeField(std::string alias, std::string name);  // alias->name; empty alias = FIELD->
NodePtr makeAreaField(NodePtr area, std::string name);   // (area)->name, &a.->name
NodePtr makeInArea(NodePtr area, NodePtr body);           // (area)->(expr), alias->(expr)
NodePtr makeBinary(BinaryOp op, NodePtr l, NodePtr r);
NodePtr makeConcat(NodeList items);  // a + b + c ...: one allocation when all are text
NodePtr makeNegate(NodePtr n);
NodePtr makeUnaryPlus(NodePtr n);
NodePtr makeNot(NodePtr n);
NodePtr makeAnd(NodePtr l, NodePtr r);
NodePtr makeOr(NodePtr l, NodePtr r);
NodePtr makeAssign(NodePtr target, NodePtr value);
NodePtr makeCompoundAssign(BinaryOp op, NodePtr target, NodePtr value);
NodePtr makeIncDec(NodePtr target, int step, bool prefix);
NodePtr makeIif(NodePtr cond, NodePtr a, NodePtr b);
NodePtr makeIndex(NodePtr base, NodeList indexes);
struct CallArg {
  NodePtr node;  // nullptr: an empty argument (NIL)
  bool byRef = false;
};
NodePtr makeCall(std::string name, std::vector<CallArg> args);
NodePtr makeMacroVar(Memvars::Symbol* s);  // &name: the variable's text compiled and evaluated
NodePtr makeMacroExpr(NodePtr text);       // &(expr)
NodePtr makeTextMacro(std::string text);   // the whole text after substituting &name

// Replaces &name and &name. by the text of a visible character variable; other ampersands
// stay. In string literals unknown names are left as they are; elsewhere (strict) they raise
// "Variable does not exist".
std::string substituteMacros(Runtime& rt, std::string_view text, bool strict);

// Run-time errors of the evaluator.
Value noVariable(Runtime& rt, std::string_view name);
Value noAlias(Runtime& rt, std::string_view alias);

}  // namespace rt::internal
