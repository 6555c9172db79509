// Reads the #include lines of the client's sources and reports, or checks, how the folders
// depend on each other.
//
//   qintara-layering report SRC_DIR
//   qintara-layering check SRC_DIR ALLOWED_FILE PENDING_FILE
//
// A file's folder is its first folder under SRC_DIR; platform/virtual counts as its own folder.
// Only quoted includes that name a file of SRC_DIR count. The check fails on a folder edge that
// is neither allowed nor pending, on a pending edge that is gone or allowed (the pending list
// only shrinks), and on any cycle once the pending edges are set aside.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Edge = std::pair<std::string, std::string>;

struct Include {
  std::string target;  // path relative to the source root
  int line = 0;
};

struct SourceFile {
  std::string path;  // relative to the source root, with '/'
  std::string folder;
  std::string text;  // comments and literals blanked, line breaks kept
  std::vector<Include> includes;
};

// Folders that may include every folder; they are not part of the core.
bool IsHostFolder(const std::string& folder) {
  return folder == "host" || folder == "winhost" || folder == "platform/virtual";
}

std::string FolderOf(const std::string& rel) {
  if (rel.rfind("platform/virtual/", 0) == 0) return "platform/virtual";
  const auto slash = rel.find('/');
  return slash == std::string::npos ? "." : rel.substr(0, slash);
}

bool IsSource(const fs::path& p) {
  const auto ext = p.extension().string();
  return ext == ".h" || ext == ".hpp" || ext == ".cpp" || ext == ".cc" || ext == ".inc";
}

// Blanks comments and the contents of string and character literals, keeping every line break,
// so that neither the include scan nor the function scan is fooled by them. Raw strings are
// blanked up to their closing delimiter.
std::string Blank(const std::string& in) {
  std::string out = in;
  std::size_t i = 0;
  const std::size_t n = in.size();
  auto blank = [&](std::size_t from, std::size_t to) {
    for (std::size_t k = from; k < to && k < n; ++k) {
      if (out[k] != '\n') out[k] = ' ';
    }
  };
  while (i < n) {
    const char c = in[i];
    if (c == '/' && i + 1 < n && in[i + 1] == '/') {
      const auto end = in.find('\n', i);
      const auto stop = end == std::string::npos ? n : end;
      blank(i, stop);
      i = stop;
    } else if (c == '/' && i + 1 < n && in[i + 1] == '*') {
      const auto end = in.find("*/", i + 2);
      const auto stop = end == std::string::npos ? n : end + 2;
      blank(i, stop);
      i = stop;
    } else if (c == 'R' && i + 1 < n && in[i + 1] == '"' &&
               (i == 0 ||
                !(std::isalnum(static_cast<unsigned char>(in[i - 1])) || in[i - 1] == '_'))) {
      const auto open = in.find('(', i + 2);
      if (open == std::string::npos) break;
      const std::string close = ")" + in.substr(i + 2, open - i - 2) + "\"";
      const auto end = in.find(close, open);
      const auto stop = end == std::string::npos ? n : end + close.size();
      blank(i + 2, stop - 1);
      i = stop;
    } else if (c == '"' || c == '\'') {
      // A quote inside a number (1'000) is a digit separator.
      if (c == '\'' && i > 0 && std::isxdigit(static_cast<unsigned char>(in[i - 1]))) {
        ++i;
        continue;
      }
      std::size_t k = i + 1;
      while (k < n && in[k] != c && in[k] != '\n') k += in[k] == '\\' ? 2 : 1;
      blank(i + 1, k);
      i = k + 1;
    } else {
      ++i;
    }
  }
  return out;
}

// The quoted includes of the original text, skipping those inside comments.
std::vector<std::pair<std::string, int>> QuotedIncludes(const std::string& original,
                                                        const std::string& blanked) {
  std::vector<std::pair<std::string, int>> found;
  std::size_t pos = 0;
  int line = 1;
  while (pos < original.size()) {
    auto end = original.find('\n', pos);
    if (end == std::string::npos) end = original.size();
    std::size_t k = pos;
    auto skip_space = [&] {
      while (k < end && (blanked[k] == ' ' || blanked[k] == '\t')) ++k;
    };
    skip_space();
    if (k < end && blanked[k] == '#') {
      ++k;
      skip_space();
      if (blanked.compare(k, 7, "include") == 0) {
        k += 7;
        skip_space();
        if (k < end && original[k] == '"') {
          const auto close = original.find('"', k + 1);
          if (close != std::string::npos && close < end) {
            found.emplace_back(original.substr(k + 1, close - k - 1), line);
          }
        }
      }
    }
    pos = end + 1;
    ++line;
  }
  return found;
}

std::string Generic(const fs::path& p) {
  return p.lexically_normal().generic_string();
}

std::vector<SourceFile> ReadTree(const fs::path& root) {
  std::vector<SourceFile> files;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file() || !IsSource(entry.path())) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    std::stringstream buf;
    buf << in.rdbuf();
    SourceFile f;
    f.path = Generic(fs::relative(entry.path(), root));
    f.folder = FolderOf(f.path);
    const std::string original = buf.str();
    f.text = Blank(original);
    for (const auto& [name, line] : QuotedIncludes(original, f.text)) {
      // As the compiler looks: beside the including file first, then from the source root.
      const fs::path beside = entry.path().parent_path() / name;
      const fs::path from_root = root / name;
      std::string target;
      if (fs::is_regular_file(beside)) {
        target = Generic(fs::relative(beside, root));
      } else if (fs::is_regular_file(from_root)) {
        target = Generic(fs::relative(from_root, root));
      }
      if (target.empty() || target.rfind("..", 0) == 0) continue;  // generated or outside
      f.includes.push_back({target, line});
    }
    files.push_back(std::move(f));
  }
  std::sort(files.begin(), files.end(),
            [](const SourceFile& a, const SourceFile& b) { return a.path < b.path; });
  return files;
}

struct EdgeUse {
  int count = 0;
  std::vector<std::string> examples;  // "file:line -> header"
};

std::map<Edge, EdgeUse> FolderEdges(const std::vector<SourceFile>& files) {
  std::map<Edge, EdgeUse> edges;
  for (const auto& f : files) {
    for (const auto& inc : f.includes) {
      const auto to = FolderOf(inc.target);
      if (to == f.folder) continue;
      auto& use = edges[{f.folder, to}];
      ++use.count;
      use.examples.push_back(f.path + ":" + std::to_string(inc.line) + " -> " + inc.target);
    }
  }
  return edges;
}

// Strongly connected components with more than one folder (Tarjan).
std::vector<std::vector<std::string>> Cycles(const std::set<Edge>& edges) {
  std::map<std::string, std::vector<std::string>> next;
  std::set<std::string> nodes;
  for (const auto& [a, b] : edges) {
    next[a].push_back(b);
    nodes.insert(a);
    nodes.insert(b);
  }
  std::map<std::string, int> index, low;
  std::set<std::string> on_stack;
  std::vector<std::string> stack;
  std::vector<std::vector<std::string>> found;
  int counter = 0;
  auto visit = [&](auto& self, const std::string& v) -> void {
    index[v] = low[v] = counter++;
    stack.push_back(v);
    on_stack.insert(v);
    for (const auto& w : next[v]) {
      if (!index.count(w)) {
        self(self, w);
        low[v] = std::min(low[v], low[w]);
      } else if (on_stack.count(w)) {
        low[v] = std::min(low[v], index[w]);
      }
    }
    if (low[v] == index[v]) {
      std::vector<std::string> component;
      std::string w;
      do {
        w = stack.back();
        stack.pop_back();
        on_stack.erase(w);
        component.push_back(w);
      } while (w != v);
      if (component.size() > 1) {
        std::sort(component.begin(), component.end());
        found.push_back(component);
      }
    }
  };
  for (const auto& v : nodes) {
    if (!index.count(v)) visit(visit, v);
  }
  std::sort(found.begin(), found.end());
  return found;
}

// ---- function definitions, read from the blanked text ----

struct Token {
  std::string text;
  int line = 0;
};

std::vector<Token> Tokens(const std::string& text) {
  std::vector<Token> tokens;
  int line = 1;
  std::size_t i = 0;
  const std::size_t n = text.size();
  bool line_start = true;
  while (i < n) {
    const char c = text[i];
    if (c == '\n') {
      ++line;
      line_start = true;
      ++i;
      continue;
    }
    if (c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v') {
      ++i;
      continue;
    }
    if (c == '#' && line_start) {  // a preprocessor line, with its continuations
      while (i < n && text[i] != '\n') {
        if (text[i] == '\\' && i + 1 < n && text[i + 1] == '\n') {
          ++line;
          ++i;
        }
        ++i;
      }
      continue;
    }
    line_start = false;
    if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
      std::size_t k = i;
      while (k < n && (std::isalnum(static_cast<unsigned char>(text[k])) || text[k] == '_')) ++k;
      tokens.push_back({text.substr(i, k - i), line});
      i = k;
    } else if ((c == ':' || c == '&' || c == '-') && i + 1 < n &&
               (text[i + 1] == c || (c == '-' && text[i + 1] == '>'))) {
      tokens.push_back({text.substr(i, 2), line});  // ::, &&, --, ->
      i += 2;
    } else {
      tokens.push_back({std::string(1, c), line});
      ++i;
    }
  }
  return tokens;
}

struct Function {
  std::string name;
  std::string file;
  int first_line = 0;
  int lines = 0;
  bool takes_client = false;
  bool member = false;  // of a class, defined inside it or by a qualified name
};

bool IsKeywordBeforeParen(const std::string& t) {
  static const std::set<std::string> kWords = {
      "if",       "for",      "while",     "switch",        "catch",      "return",
      "sizeof",   "alignof",  "alignas",   "decltype",      "noexcept",   "static_assert",
      "requires", "typeid",   "new",       "__attribute__", "__declspec", "throw",
      "delete",   "co_await", "co_return", "co_yield",      "operator"};
  return kWords.count(t) > 0;
}

bool IsIdentifier(const std::string& t) {
  return !t.empty() && (std::isalpha(static_cast<unsigned char>(t[0])) || t[0] == '_');
}

// Index of the '(' matching the ')' at close, or npos.
std::size_t OpenOf(const std::vector<Token>& head, std::size_t close) {
  int depth = 0;
  for (std::size_t k = close + 1; k-- > 0;) {
    if (head[k].text == ")") ++depth;
    if (head[k].text == "(" && --depth == 0) return k;
  }
  return std::string::npos;
}

// If head (the tokens before a '{') starts a function body, its name and parameter range.
struct Signature {
  std::string name;
  std::size_t params_open = 0, params_close = 0;
};

bool FunctionSignature(const std::vector<Token>& head, Signature& sig) {
  if (head.empty()) return false;
  // An '=' outside parentheses makes an initialiser (e.g. a lambda), unless it names an operator.
  int depth = 0;
  for (std::size_t k = 0; k < head.size(); ++k) {
    const auto& t = head[k].text;
    if (t == "(" || t == "[" || t == "<") ++depth;
    if (t == ")" || t == "]" || t == ">") --depth;
    if (t == "=" && depth <= 0 && !(k > 0 && head[k - 1].text == "operator")) {
      // "= default" and friends end with ';', never with a body.
      return false;
    }
  }
  std::size_t end = head.size();
  // Skip what may follow the parameters: qualifiers and a trailing return type.
  depth = 0;
  std::size_t arrow = std::string::npos;
  for (std::size_t k = 0; k < head.size(); ++k) {
    const auto& t = head[k].text;
    if (t == "(") ++depth;
    if (t == ")") --depth;
    if (t == "->" && depth == 0) arrow = k;
  }
  if (arrow != std::string::npos) end = arrow;
  static const std::set<std::string> kAfter = {
      "const", "noexcept", "override", "final", "mutable", "&", "&&", "volatile", "constexpr"};
  while (end > 0 && kAfter.count(head[end - 1].text)) --end;
  if (end == 0 || head[end - 1].text != ")") return false;
  std::size_t close = end - 1;
  std::size_t open = OpenOf(head, close);
  if (open == std::string::npos || open == 0) return false;
  // noexcept(...) after the parameters.
  if (head[open - 1].text == "noexcept") {
    std::size_t k = open - 1;
    while (k > 0 && kAfter.count(head[k - 1].text)) --k;
    if (k == 0 || head[k - 1].text != ")") return false;
    close = k - 1;
    open = OpenOf(head, close);
    if (open == std::string::npos || open == 0) return false;
  }
  const auto& before = head[open - 1].text;
  std::string name;
  if (IsIdentifier(before) && !IsKeywordBeforeParen(before)) {
    name = before;
    std::size_t k = open - 1;
    if (k > 0 && head[k - 1].text == "~") {
      name = "~" + name;
      --k;
    }
    while (k >= 2 && head[k - 1].text == "::" && IsIdentifier(head[k - 2].text)) {
      name = head[k - 2].text + "::" + name;
      k -= 2;
    }
  } else {
    // operator==, operator(), operator<< ...
    std::size_t k = open;
    while (k > 0 && head[k - 1].text != "operator") --k;
    if (k == 0 || open - k > 3) return false;
    name = "operator";
    for (std::size_t j = k; j < open; ++j) name += head[j].text;
  }
  sig = {name, open, close};
  return true;
}

bool TakesClient(const std::vector<Token>& head, const Signature& sig) {
  for (std::size_t k = sig.params_open + 1; k + 1 < sig.params_close + 1; ++k) {
    if (head[k].text == "Client" && head[k + 1].text == "&") return true;
  }
  return false;
}

enum class Scope { kNamespace, kClass, kOther };

std::vector<Function> Functions(const SourceFile& file) {
  const auto tokens = Tokens(file.text);
  std::vector<Function> found;
  struct Open {
    Scope scope;
    std::size_t function = std::string::npos;  // index in found, for a body
  };
  std::vector<Open> stack;
  std::vector<Token> head;
  // A constructor's initialiser list: braces there belong to members, not the body.
  auto in_init_list = [&] {
    int depth = 0;
    for (std::size_t k = 0; k < head.size(); ++k) {
      const auto& t = head[k].text;
      if (t == "(") ++depth;
      if (t == ")") --depth;
      if (t == ":" && depth == 0 && k > 0 && head[k - 1].text == ")") return true;
    }
    return false;
  };
  auto scope_open = [&] { return stack.empty() || stack.back().scope != Scope::kOther; };
  std::size_t i = 0;
  while (i < tokens.size()) {
    const auto& t = tokens[i];
    if (!scope_open()) {
      // Inside a body or an initialiser: only braces matter.
      if (t.text == "{") stack.push_back({Scope::kOther});
      if (t.text == "}") {
        if (stack.back().function != std::string::npos) {
          auto& fn = found[stack.back().function];
          fn.lines = t.line - fn.first_line + 1;
        }
        stack.pop_back();
      }
      ++i;
      continue;
    }
    if (t.text == ";") {
      head.clear();
    } else if (t.text == "}") {
      head.clear();
      if (!stack.empty()) stack.pop_back();
    } else if (t.text == ":" && head.size() == 1 &&
               (head[0].text == "public" || head[0].text == "private" ||
                head[0].text == "protected")) {
      head.clear();
    } else if (t.text == "{") {
      const bool init_list = in_init_list();
      const std::string prev = head.empty() ? "" : head.back().text;
      if (init_list && prev != ")" && prev != "}") {
        // A member's brace initialiser: keep it in the head.
        int depth = 0;
        for (; i < tokens.size(); ++i) {
          head.push_back(tokens[i]);
          if (tokens[i].text == "{") ++depth;
          if (tokens[i].text == "}" && --depth == 0) break;
        }
        ++i;
        continue;
      }
      std::vector<Token> sig_head = head;
      if (init_list) {
        // The signature is what stands before the initialiser list's ':'.
        int depth = 0;
        for (std::size_t k = 0; k < head.size(); ++k) {
          if (head[k].text == "(") ++depth;
          if (head[k].text == ")") --depth;
          if (head[k].text == ":" && depth == 0 && k > 0 && head[k - 1].text == ")") {
            sig_head.assign(head.begin(), head.begin() + static_cast<std::ptrdiff_t>(k));
            break;
          }
        }
      }
      const bool is_namespace =
          !head.empty() && (head[0].text == "namespace" || head[0].text == "extern" ||
                            (head.size() > 1 && head[1].text == "namespace"));
      Signature sig;
      if (is_namespace) {
        stack.push_back({Scope::kNamespace});
      } else if (FunctionSignature(sig_head, sig)) {
        Function fn;
        fn.name = sig.name;
        fn.file = file.path;
        fn.first_line = head.front().line;
        fn.takes_client = TakesClient(sig_head, sig);
        fn.member = sig.name.find("::") != std::string::npos ||
                    (!stack.empty() && stack.back().scope == Scope::kClass);
        found.push_back(fn);
        stack.push_back({Scope::kOther, found.size() - 1});
      } else {
        bool is_class = false, is_enum = false;
        for (const auto& h : head) {
          if (h.text == "enum") is_enum = true;
          if (h.text == "class" || h.text == "struct" || h.text == "union") is_class = true;
        }
        stack.push_back({is_class && !is_enum ? Scope::kClass : Scope::kOther});
      }
      head.clear();
    } else {
      head.push_back(t);
    }
    ++i;
  }
  return found;
}

bool IsCore(const std::string& folder) {
  return !IsHostFolder(folder);
}

// ---- the two lists ----

struct Rules {
  std::map<std::string, std::set<std::string>> allowed;  // folder -> what it may include
  std::set<std::string> anything;                        // folders that may include all
  std::set<Edge> pending;
  std::vector<std::string> errors;
};

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream in(line.substr(0, line.find('#')));
  std::string w;
  while (in >> w) words.push_back(w);
  return words;
}

// "folder: other other ..." per line; '*' for any folder.
void ReadAllowed(const fs::path& path, Rules& rules) {
  std::ifstream in(path);
  if (!in) {
    rules.errors.push_back("cannot read " + path.string());
    return;
  }
  std::string line;
  int n = 0;
  while (std::getline(in, line)) {
    ++n;
    auto words = Words(line);
    if (words.empty()) continue;
    if (words[0].empty() || words[0].back() != ':') {
      rules.errors.push_back(path.filename().string() + ":" + std::to_string(n) +
                             ": expected 'folder: folders...'");
      continue;
    }
    const auto folder = words[0].substr(0, words[0].size() - 1);
    auto& may = rules.allowed[folder];
    for (std::size_t k = 1; k < words.size(); ++k) {
      if (words[k] == "*") {
        rules.anything.insert(folder);
      } else {
        may.insert(words[k]);
      }
    }
  }
}

// "from -> to" per line.
void ReadPending(const fs::path& path, Rules& rules) {
  std::ifstream in(path);
  if (!in) {
    rules.errors.push_back("cannot read " + path.string());
    return;
  }
  std::string line;
  int n = 0;
  while (std::getline(in, line)) {
    ++n;
    const auto words = Words(line);
    if (words.empty()) continue;
    if (words.size() != 3 || words[1] != "->") {
      rules.errors.push_back(path.filename().string() + ":" + std::to_string(n) +
                             ": expected 'from -> to'");
      continue;
    }
    rules.pending.insert({words[0], words[2]});
  }
}

bool Allowed(const Rules& rules, const Edge& e) {
  if (rules.anything.count(e.first)) return true;
  const auto it = rules.allowed.find(e.first);
  return it != rules.allowed.end() && it->second.count(e.second) > 0;
}

std::string Join(const std::vector<std::string>& v, const std::string& sep) {
  std::string s;
  for (const auto& x : v) s += (s.empty() ? "" : sep) + x;
  return s;
}

void PrintCycles(const std::vector<std::vector<std::string>>& cycles) {
  std::cout << "cycles (folders that reach each other): " << cycles.size() << "\n";
  for (const auto& c : cycles) std::cout << "  " << c.size() << ": " << Join(c, " ") << "\n";
}

int Report(const fs::path& root) {
  const auto files = ReadTree(root);
  const auto edges = FolderEdges(files);
  int core_files = 0, core_cpp = 0;
  for (const auto& f : files) {
    if (!IsCore(f.folder)) continue;
    ++core_files;
    if (f.path.size() > 4 && f.path.ends_with(".cpp")) ++core_cpp;
  }
  std::cout << "files: " << files.size() << " (core: " << core_files << ", of them " << core_cpp
            << " .cpp)\n";

  int total = 0;
  std::set<Edge> edge_set;
  for (const auto& [e, use] : edges) {
    total += use.count;
    edge_set.insert(e);
  }
  std::cout << "\nfolder edges: " << edges.size() << " (" << total << " includes)\n";
  for (const auto& [e, use] : edges) {
    std::cout << "  " << e.first << " -> " << e.second << "  " << use.count << "\n";
  }
  int mutual = 0;
  for (const auto& [a, b] : edge_set) {
    if (a < b && edge_set.count({b, a})) ++mutual;
  }
  std::cout << "pairs including each other: " << mutual << "\n\n";
  PrintCycles(Cycles(edge_set));

  // The client aggregate, wherever it lives now.
  for (const std::string header : {"app/client.h", "session/client.h"}) {
    if (!fs::is_regular_file(root / header)) continue;
    std::vector<std::string> includers;
    int core_includers = 0, core_cpp_includers = 0;
    for (const auto& f : files) {
      for (const auto& inc : f.includes) {
        if (inc.target != header) continue;
        includers.push_back(f.path);
        if (IsCore(f.folder)) {
          ++core_includers;
          if (f.path.ends_with(".cpp")) ++core_cpp_includers;
        }
        break;
      }
    }
    // Its own includes, and every header they reach in turn.
    std::map<std::string, const SourceFile*> by_path;
    for (const auto& f : files) by_path[f.path] = &f;
    int own = 0;
    if (const auto it = by_path.find(header); it != by_path.end()) {
      own = static_cast<int>(it->second->includes.size());
    }
    std::set<std::string> reached;
    std::vector<std::string> todo{header};
    while (!todo.empty()) {
      const auto it = by_path.find(todo.back());
      todo.pop_back();
      if (it == by_path.end()) continue;
      for (const auto& inc : it->second->includes) {
        if (inc.target != header && reached.insert(inc.target).second) todo.push_back(inc.target);
      }
    }
    std::cout << "\n"
              << header << ": includes " << own << " headers (" << reached.size()
              << " with theirs); included by " << includers.size()
              << " files (core: " << core_includers << ", of them " << core_cpp_includers
              << " .cpp)\n";
    for (const auto& p : includers) std::cout << "  " << p << "\n";
  }

  std::vector<Function> all;
  int core_functions = 0, core_client = 0, free_functions = 0, free_client = 0;
  for (const auto& f : files) {
    for (auto& fn : Functions(f)) {
      if (IsCore(f.folder)) {
        ++core_functions;
        if (fn.takes_client) ++core_client;
        if (!fn.member) {
          ++free_functions;
          if (fn.takes_client) ++free_client;
        }
      }
      all.push_back(std::move(fn));
    }
  }
  auto share = [](int part, int whole) {
    return whole > 0 ? " (" + std::to_string(100 * part / whole) + " %)" : std::string();
  };
  std::cout << "\ncore function definitions (lambdas not counted): " << core_functions
            << "; taking Client&: " << core_client << share(core_client, core_functions)
            << "\n  of them free functions: " << free_functions
            << "; taking Client&: " << free_client << share(free_client, free_functions) << "\n";

  std::stable_sort(all.begin(), all.end(),
                   [](const Function& a, const Function& b) { return a.lines > b.lines; });
  std::cout << "\nlargest functions (lines, all of the source tree):\n";
  for (std::size_t k = 0; k < all.size() && k < 10; ++k) {
    std::cout << "  " << all[k].lines << "  " << all[k].name << "  " << all[k].file << ":"
              << all[k].first_line << "\n";
  }
  return 0;
}

int Check(const fs::path& root, const fs::path& allowed_file, const fs::path& pending_file) {
  Rules rules;
  ReadAllowed(allowed_file, rules);
  ReadPending(pending_file, rules);
  const auto files = ReadTree(root);
  const auto edges = FolderEdges(files);
  std::vector<std::string> failures = rules.errors;

  std::set<Edge> allowed_edges;
  for (const auto& [from, tos] : rules.allowed) {
    for (const auto& to : tos) allowed_edges.insert({from, to});
  }
  for (const auto& c : Cycles(allowed_edges)) {
    failures.push_back("the allowed edges form a cycle: " + Join(c, " "));
  }

  std::set<Edge> kept;  // present edges that are not pending
  for (const auto& [e, use] : edges) {
    if (rules.pending.count(e)) continue;
    kept.insert(e);
    if (Allowed(rules, e)) continue;
    std::string msg = "edge not allowed: " + e.first + " -> " + e.second + " (" +
                      std::to_string(use.count) + " includes)";
    for (const auto& ex : use.examples) msg += "\n    " + ex;
    failures.push_back(msg);
  }
  for (const auto& e : rules.pending) {
    if (!edges.count(e)) {
      failures.push_back("pending edge gone, remove it from the list: " + e.first + " -> " +
                         e.second);
    } else if (Allowed(rules, e)) {
      failures.push_back("pending edge is allowed, remove it from the list: " + e.first + " -> " +
                         e.second);
    }
  }
  for (const auto& c : Cycles(kept)) {
    failures.push_back("cycle without pending edges: " + Join(c, " "));
  }

  std::set<Edge> present;
  for (const auto& [e, use] : edges) present.insert(e);
  std::cout << files.size() << " files, " << edges.size() << " folder edges, "
            << rules.pending.size() << " pending\n";
  PrintCycles(Cycles(present));
  for (const auto& f : failures) std::cout << "FAIL " << f << "\n";
  if (failures.empty()) std::cout << "layering holds\n";
  return failures.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 2 && args[0] == "report") return Report(args[1]);
    if (args.size() == 4 && args[0] == "check") return Check(args[1], args[2], args[3]);
  } catch (const std::exception& e) {
    std::cerr << "qintara-layering: " << e.what() << "\n";
    return 2;
  }
  std::cerr << "usage: qintara-layering report SRC_DIR\n"
               "       qintara-layering check SRC_DIR ALLOWED_FILE PENDING_FILE\n";
  return 2;
}
