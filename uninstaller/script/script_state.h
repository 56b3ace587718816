#pragma once
// One Lua 5.2 state of the uninstaller: the standard allocator and the
// auxiliary library's panic handler (luaL_newstate), every standard library,
// then the program's function groups put into the globals table one
// luaL_setfuncs pass each (after the libraries, so the program's "print"
// replaces the standard one), then its global numbers. Each state is used by
// one thread only.
#include <lua.hpp>

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vcam::uninstaller {

enum class ScriptKind { window, worker };

// Where a state's printed lines and script errors go.
class ScriptOutput {
 public:
  virtual ~ScriptOutput() = default;
  // One call of the script's print, as UTF-8; the debugger output has it already.
  virtual void print_line(std::string_view text) = 0;
  // A compile or run error of the script, or of a callback the host invoked.
  virtual void report_error(ScriptKind kind, std::string_view message) = 0;
};

struct GlobalNumber {
  const char* name;
  lua_Number value;
};

struct ScriptSetup {
  ScriptKind kind = ScriptKind::worker;
  // Null-terminated luaL_Reg arrays, registered in this order.
  std::vector<const luaL_Reg*> groups;
  std::span<const GlobalNumber> numbers;
  // May be null: printed lines then reach only the debugger output, and
  // errors are not reported anywhere but the returned text.
  ScriptOutput* output = nullptr;
};

class ScriptState {
 public:
  explicit ScriptState(const ScriptSetup& setup);
  ~ScriptState();
  ScriptState(const ScriptState&) = delete;
  ScriptState& operator=(const ScriptState&) = delete;

  // False when the state could not be made or set up (out of memory).
  bool ok() const { return L_ != nullptr; }
  lua_State* get() const { return L_; }

  // Compiles NUL-terminated text with luaL_loadstring and calls it with no
  // arguments and all results under a protected call, then restores the stack
  // top. The error text on failure (not reported: the caller decides).
  std::optional<std::string> run_string(const char* text);
  // The same for text from a file: `chunk_name` names it in error messages,
  // and binary chunks, which could crash the interpreter, are refused.
  std::optional<std::string> run_file_text(std::string_view text, const std::string& chunk_name);

  // Calls the function below the `nargs` arguments on top of the stack under
  // a protected call. On an error, reports it through the state's output
  // with its kind and leaves `nresults` nils (LUA_MULTRET: none) in place of
  // the results, so callers find the stack shape they expect.
  static bool call_back(lua_State* L, int nargs, int nresults);

  // The kind and the output the state was made with (for the functions).
  static ScriptKind kind_of(lua_State* L);
  static ScriptOutput* output_of(lua_State* L);

 private:
  static ScriptState* owner_of(lua_State* L);
  std::optional<std::string> run_loaded(int load_status, int top);

  ScriptKind kind_;
  ScriptOutput* output_;
  lua_State* L_ = nullptr;
};

}  // namespace vcam::uninstaller
