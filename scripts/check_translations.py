"""Compares a gettext template with a translation; see scripts/check-translations."""
import re
import sys

DIRECTIVE = re.compile(r"%(?:\d+\$)?[-+ #0']*(?:\d+|\*)?(?:\.(?:\d+|\*))?"
                       r"(?:hh|h|ll|l|L|q|j|z|Z|t)?([diouxXeEfFgGaAcspn%])")
CHINESE = re.compile(r"[\u4e00-\u9fff]")
ESCAPES = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\", "'": "'", "a": "\a",
           "b": "\b", "f": "\f", "v": "\v", "0": "\0"}


def unescape(body):
    return re.sub(r"\\(.)", lambda m: ESCAPES.get(m.group(1), "\\" + m.group(1)), body)


def entries(path):
    """(msgid, msgstr, flags) of every entry but the header and obsolete ones."""
    text = open(path, encoding="utf-8").read()
    found = []
    for block in re.split(r"\n\s*\n", text):
        lines = [line for line in block.splitlines() if not line.startswith("#~")]
        flags = set()
        fields = {}
        key = None
        for line in lines:
            if line.startswith("#,"):
                flags.update(flag.strip() for flag in line[2:].split(","))
            elif line.startswith("msgid "):
                key = "msgid"
                fields[key] = line[6:]
            elif line.startswith("msgstr "):
                key = "msgstr"
                fields[key] = line[7:]
            elif line.startswith('"') and key:
                fields[key] += line
            elif line.startswith(("msgctxt", "msgid_plural", "msgstr[")):
                key = None
        if "msgid" not in fields:
            continue
        join = lambda quoted: unescape("".join(re.findall(r'"((?:[^"\\]|\\.)*)"', quoted)))
        msgid = join(fields["msgid"])
        if msgid:
            found.append((msgid, join(fields.get("msgstr", '""')), flags))
    return found


def directives(text):
    return [m.group(1) for m in DIRECTIVE.finditer(text) if m.group(1) != "%"]


def unmarked_literals(root, files):
    """Chinese string literals (adjacent pieces joined) outside uiText() and N_()."""
    literal = re.compile(r'"(?:[^"\\\n]|\\.)*"(?:\s*"(?:[^"\\\n]|\\.)*")*')
    token = re.compile(r'//[^\n]*|/\*.*?\*/|\'(?:[^\'\\]|\\.)*\'|"', re.S)
    found = []
    for name in files:
        source = open(f"{root}/{name}", encoding="utf-8").read()
        position = 0
        while True:
            match = token.search(source, position)
            if not match:
                break
            if match.group(0) != '"':
                position = match.end()
                continue
            run = literal.match(source, match.start())
            position = run.end()
            before = source[max(0, run.start() - 200):run.start()]
            if CHINESE.search(run.group(0)) and not re.search(r"(uiText|N_)\(\s*$", before):
                line = source.count("\n", 0, run.start()) + 1
                found.append(f"{name}:{line}: {run.group(0)[:60]}")
    return found


def main():
    root, template, translation, file_list = sys.argv[1:5]
    translated = {msgid: (msgstr, flags) for msgid, msgstr, flags in entries(translation)}
    problems = []
    for msgid, _, _ in entries(template):
        if msgid not in translated:
            problems.append(f"missing: {msgid!r}")
            continue
        msgstr, flags = translated[msgid]
        if "fuzzy" in flags:
            problems.append(f"fuzzy: {msgid!r}")
        elif not msgstr:
            problems.append(f"empty: {msgid!r}")
        elif directives(msgid) != directives(msgstr):
            problems.append(f"directives {directives(msgid)} became {directives(msgstr)}: "
                            f"{msgid!r} -> {msgstr!r}")
    files = open(file_list, encoding="utf-8").read().split()
    problems += [f"not marked for translation: {where}" for where in unmarked_literals(root, files)]
    for problem in problems:
        print(problem)
    if problems:
        print(f"{len(problems)} translation problem(s); see po/README.md", file=sys.stderr)
        return 1
    print(f"{len(translated)} core texts, all translated")
    return 0


if __name__ == "__main__":
    sys.exit(main())
