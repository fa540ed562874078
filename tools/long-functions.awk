# Prints every function body longer than `limit` lines (default 80) in clang-formatted C++:
#   awk -v limit=80 -f tools/long-functions.awk FILE...
# A body opens on a line ending in "{" whose head closes a parameter list, at a place where
# only namespaces, classes and structs are open (so member functions defined in a class
# count, lambdas and blocks inside a body do not), and ends where its braces balance. Its
# length runs from that line to the closing brace. String and character literals and
# comments are stripped first, so braces inside them do not count.

FNR == 1 {
    depth = 0; scopes = 0; inComment = 0; continued = 0; delete kind
}

# The line without literals and comments; a block comment may span lines.
function code(line,    out, i) {
    out = ""
    while (line != "") {
        if (inComment) {
            i = index(line, "*/")
            if (!i) return out
            line = substr(line, i + 2); inComment = 0
            continue
        }
        i = index(line, "/*")
        if (!i) { out = out line; break }
        out = out substr(line, 1, i - 1); line = substr(line, i + 2); inComment = 1
    }
    gsub(/"([^"\\]|\\.)*"/, "\"\"", out)
    gsub(/'([^'\\]|\\.)*'/, "''", out)
    sub(/\/\/.*/, "", out)
    return out
}

{
    line = code($0)
    if (line ~ /^[[:space:]]*#/) next
    # Where the declaration in hand began: its head names the function in the report.
    if (depth == scopes && !continued && line ~ /[^[:space:]]/) { declLine = FNR; declHead = $0 }
    opens = line; n = gsub(/\{/, "{", opens)
    # What the last "{" of the line opens: a scope functions live in, a function body, or
    # anything else (an initialiser, an enum, a block).
    last = "other"
    if (line ~ /\{[[:space:]]*$/) {
        if (line ~ /^[[:space:]]*((inline[[:space:]]+)?namespace|extern[[:space:]]*"")[^;]*\{[[:space:]]*$/ ||
            line ~ /^[[:space:]]*(template[[:space:]]*<.*>[[:space:]]*)?(class|struct|union)[[:space:]][^;(]*\{[[:space:]]*$/)
            last = "scope"
        else if (line ~ /\)[^;=]*\{[[:space:]]*$/)
            last = "function"
    }
    seen = 0
    for (i = 1; i <= length(line); ++i) {
        c = substr(line, i, 1)
        if (c == "{") {
            ++seen
            k = seen == n ? last : "other"
            if (k == "function" && depth != scopes) k = "other"
            kind[++depth] = k
            if (k == "scope") ++scopes
            if (k == "function") { start = FNR; headLine = declLine; head = declHead }
        } else if (c == "}" && depth > 0) {
            k = kind[depth--]
            if (k == "scope") --scopes
            if (k == "function" && FNR - start + 1 > limit) {
                sub(/^[[:space:]]+/, "", head)
                printf "%s:%d: %d lines: %s\n", FILENAME, headLine, FNR - start + 1, head
            }
        }
    }
    if (line ~ /[^[:space:]]/) continued = line !~ /[;{}:][[:space:]]*$/
}
