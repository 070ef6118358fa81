// src/ui/form/get.cpp — the variables a field can edit and its conditions.
#include "ui/form/get.hpp"

#include "rt/data_source.hpp"
#include "rt/error.hpp"
#include "ui/context.hpp"

namespace ui {
namespace {

rt::Value raise(rt::Runtime& rt, rt::GenCode code, int subCode, std::string description, std::string operation) {
  rt::Error e;
  e.genCode = code;
  e.subCode = subCode;
  e.description = std::move(description);
  e.operation = std::move(operation);
  return rt.raise(std::move(e));
}

// The field through the data source; nullopt after the error was raised (and handled).
std::optional<rt::FieldHandle> findField(rt::Runtime& rt, const std::string& alias, const std::string& name) {
  rt::DataSource* ds = rt.dataSource();
  const rt::FieldRef ref = ds ? ds->findField(alias, name) : rt::FieldRef{rt::FieldLookup::NoAlias, {}};
  if (ref.status == rt::FieldLookup::Found) return ref.handle;
  if (ref.status == rt::FieldLookup::NoAlias)
    raise(rt, rt::GenCode::NoAlias, 1002, "Alias does not exist", alias);
  else
    raise(rt, rt::GenCode::NoVar, 1003, "Variable does not exist", name);
  return std::nullopt;
}

}  // namespace

Get getOn(int row, int col, rt::Value& value, std::string picture) {
  Get g;
  g.row = row;
  g.col = col;
  g.var = Variable("", [&value] { return value; }, [&value](const rt::Value& v) { value = v; });
  g.picture = std::move(picture);
  return g;
}

Variable Variable::memvar(rt::Runtime& rt, std::string name) {
  std::string shown = name;
  return Variable(
      std::move(shown), [&rt, name] { return rt.vars().get(name); },
      [&rt, name](const rt::Value& v) { rt.vars().set(name, v); });
}

Variable Variable::field(rt::Runtime& rt, std::string alias, std::string name) {
  std::string shown = alias.empty() ? name : alias + "->" + name;
  return Variable(
      std::move(shown),
      [&rt, alias, name]() -> rt::Value {
        const auto h = findField(rt, alias, name);
        return h ? rt.dataSource()->read(rt, *h) : rt::Value();
      },
      [&rt, alias, name](const rt::Value& v) {
        if (const auto h = findField(rt, alias, name)) rt.dataSource()->write(rt, *h, v);
      });
}

Variable Variable::element(rt::Runtime& rt, rt::Value array, std::size_t index, std::string name) {
  if (name.empty()) name = "[" + std::to_string(index) + "]";
  const auto inside = [array, index] {
    return array.isArray() && index >= 1 && index <= array.array()->size();
  };
  return Variable(
      std::move(name),
      [&rt, array, index, inside]() -> rt::Value {
        if (inside()) return (*array.array())[index - 1];
        return raise(rt, rt::GenCode::Bound, 1132, "Bound error", "array access");
      },
      [&rt, array, index, inside](const rt::Value& v) {
        if (inside())
          (*array.array())[index - 1] = v;
        else
          raise(rt, rt::GenCode::Bound, 1133, "Bound error", "array assign");
      });
}

Condition Condition::expression(std::string text) {
  Condition c;
  c.text_ = std::move(text);
  return c;
}

bool Condition::holds(Context& c) const {
  if (fn_) return fn_(c);
  if (text_.empty()) return true;
  const rt::Value v = c.rt.evaluate(text_);
  return !v.isLogical() || v.logical();
}

}  // namespace ui
