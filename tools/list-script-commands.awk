# Prints every word that a bash script runs as a command, one per line as
# "FILE:LINE WORD", so that tools/check-commands.sh can hold each one against the
# package that provides it. A small reading of bash, enough for our own scripts:
# quotes over several lines, $( ), backquotes, here-documents, continuations,
# arrays, case patterns, assignments before a command and the words that run
# another command (exec, nice, env, flock, ...). Functions defined in the script and
# words with a slash (our own scripts and programs) are left out.

function is_assignment(w) { return w ~ /^[A-Za-z_][A-Za-z0-9_]*(\[[^]]*\])?\+?=/ }

# Words after which the next word is again a command.
function runs_next(w) {
  return w ~ /^(if|then|else|elif|do|while|until|!|time|exec|nice|env|command|builtin|xargs|timeout|flock|sudo|\{)$/
}

function finish_word(    w) {
  if (!have_word) return
  w = word; have_word = 0; word = ""
  if (pattern) return                          # a case pattern, not a command
  if (w == "case") { case_depth++; expect = 0; want_in = 1; return }
  if (want_in && w == "in") { want_in = 0; pattern = 1; return }
  if (w == "esac") { case_depth--; expect = 0; return }
  if (w == "]]") in_test = 0
  if (w == "{") { start_command(); return }     # name() { body }
  if (!expect) return
  if (is_assignment(w)) return                 # VAR=x command: still a command to come
  if (runner && (w ~ /^-/ || w ~ /^[0-9]+$/)) return   # nice -n 5, flock 9, env -i
  if (runs_next(w)) { runner = (w ~ /^(nice|env|xargs|timeout|flock|sudo|command)$/); return }
  runner = 0; expect = 0
  if (w == "[[") { in_test = 1; return }
  if (w ~ /^(fi|done|\}|\]\]|for|select|function|coproc|\[\[)$/) return
  if (w ~ /\// || w ~ /^[$]/) return           # a path or a command named by a variable
  if (w ~ /^[A-Za-z0-9_.+-]+$/ && !(w in functions)) print FILENAME ":" lineno " " w
}

function start_command() { expect = 1; runner = 0 }

# From the "(" of an array assignment to its ")", past quotes and $(( )) inside;
# returns the position of the ")".
function skip_array(text, i, n,    level, c, q) {
  level = 0
  for (; i <= n; i++) {
    c = substr(text, i, 1)
    if (c == "\n") lineno++
    if (c == "'" || c == "\"") { q = c; i++; while (i <= n && substr(text, i, 1) != q) { if (substr(text, i, 1) == "\n") lineno++; i++ } }
    else if (c == "(") level++
    else if (c == ")" && --level == 0) return i
  }
  return n
}

{
  # Here-document bodies are text, not commands: keep the line so numbers stay right.
  if (heredoc != "") {
    text = $0; sub(/^\t+/, "", text)
    if (text == heredoc) heredoc = ""
    buffer = buffer "\n"; next
  }
  if (match($0, /<<-?[ \t]*['"]?[A-Za-z_]+['"]?/)) {
    heredoc = substr($0, RSTART, RLENGTH)
    sub(/^<<-?[ \t]*['"]?/, "", heredoc); sub(/['"]$/, "", heredoc)
  }
  if (match($0, /^[ \t]*(function[ \t]+)?[A-Za-z_][A-Za-z0-9_-]*[ \t]*\(\)/)) {
    name = substr($0, RSTART, RLENGTH)
    sub(/^[ \t]*(function[ \t]+)?/, "", name); sub(/[ \t]*\(\)$/, "", name)
    functions[name] = 1
  }
  buffer = buffer $0 "\n"
}



function scan(text,    i, c, n, quote, depth, saved, q, close_at) {
  n = length(text); quote = ""; depth = 0; lineno = 1
  start_command(); have_word = 0; word = ""; pattern = 0; want_in = 0; case_depth = 0; in_test = 0
  for (i = 1; i <= n; i++) {
    c = substr(text, i, 1)
    if (c == "\n") { if (quote == "") finish_word(); lineno++ }
    if (quote == "'") { if (c == "'") quote = ""; continue }
    if (c == "\\") { if (substr(text, i + 1, 1) == "\n") { lineno++; i++; finish_word(); continue }
                     word = word substr(text, i + 1, 1); have_word = 1; i++; continue }
    if (c == "$" && substr(text, i + 1, 2) == "((") {
      close_at = index(substr(text, i), "))")
      if (close_at) { i += close_at; have_word = 1; word = word "\001"; continue }
    }
    if (c == "$" && substr(text, i + 1, 1) == "(") {
      saved[++depth] = quote; saved_word[depth] = word; saved_have[depth] = have_word
      saved_expect[depth] = expect; saved_pattern[depth] = pattern
      quote = ""; have_word = 0; word = ""; pattern = 0; i++; start_command(); continue
    }
    if (quote == "\"") { if (c == "\"") quote = ""; else { word = word c; have_word = 1 }; continue }
    if (c == ")" && depth > 0) {
      finish_word(); quote = saved[depth]; word = saved_word[depth] "\001"; have_word = 1
      expect = saved_expect[depth]; pattern = saved_pattern[depth]; depth--; continue
    }
    if (c == "#" && !have_word) {
      while (i < n && substr(text, i + 1, 1) != "\n") i++
      continue
    }
    if (c == "'" || c == "\"") { quote = c; have_word = 1; continue }
    if (c == " " || c == "\t") { finish_word(); continue }
    if (c == "(" && have_word && word ~ /=$/) {             # array: name=( words )
      i = skip_array(text, i, n); word = word "x"; continue
    }
    if (c == ")" && pattern) { have_word = 0; word = ""; pattern = 0; start_command(); continue }
    if (c == "\n" || c ~ /[;|&(`]/) {
      finish_word()
      if (c == "(" && substr(text, i + 1, 1) == "(") {     # (( arithmetic ))
        close_at = index(substr(text, i), "))"); if (close_at) { i += close_at; expect = 0; continue }
      }
      if (c == ";" && substr(text, i + 1, 1) == ";" && case_depth > 0) { i++; pattern = 1; continue }
      if (in_test && (c == "|" || c == "&")) continue     # [[ a || b ]]: one test
      if (c == "&" && substr(text, i + 1, 1) == ">") { i++; c = ">" }
      else { start_command(); continue }
    }
    if (c == ")") { finish_word(); expect = 0; continue }
    if (c ~ /[<>]/) {                                       # a redirection: skip its target
      finish_word()
      dup = 0
      while (i < n && substr(text, i + 1, 1) ~ /[<>&]/) { if (substr(text, i + 1, 1) == "&") dup = 1; i++ }
      if (dup) { while (i < n && substr(text, i + 1, 1) ~ /[0-9-]/) i++; continue }
      while (i < n && substr(text, i + 1, 1) ~ /[ \t]/) i++
      while (i < n && substr(text, i + 1, 1) !~ /[ \t\n;|&)]/) {
        i++; c = substr(text, i, 1)
        if (c == "\"" || c == "'") { q = c; i++; while (i <= n && substr(text, i, 1) != q) i++ }
        else if (c == "$" && substr(text, i + 1, 1) == "(") { i--; break }
      }
      continue
    }
    if (c ~ /[0-9]/ && !have_word && substr(text, i + 1, 1) ~ /[<>]/) continue   # 2>file, 9>&-
    word = word c; have_word = 1
  }
  finish_word()
}

END { scan(buffer) }
