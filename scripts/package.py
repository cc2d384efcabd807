#!/usr/bin/env python3
"""Packs the release zip: the program, a sample list, the user guides as plain text and
the licence, all with Windows line ends.

Usage: package.py SOURCE_ROOT QUORVANE_EXE ZIP VERSION

The user guide is the part of README.md above the marker line; README.ja.md, where it
exists, carries the same marker and becomes README.ja.txt. Each text guide opens, as
Windows freeware readmes do, with the name and then the version, given as VERSION (1.01),
below it; the editor's notes (HTML comments) are left out. The zip has fixed entry times,
order and attributes, so that the same inputs always give the same bytes.
"""
import re
import sys
import unicodedata
import zipfile
from pathlib import Path

MARKER = "<!-- end of the user guide -->"
# Any fixed time will do; zip entry times cannot be earlier than 1980.
ENTRY_TIME = (2026, 1, 1, 0, 0, 0)
# The guides link each other as the markdown files; the zip holds them as text files.
PACKED_GUIDES = {"README.md": "README.txt", "README.ja.md": "README.ja.txt"}
# The line below the name, by guide.
VERSION_LINES = {"README.md": "Version {}", "README.ja.md": "バージョン {}"}


def crlf(text):
    return text.replace("\r\n", "\n").replace("\n", "\r\n")


def inline_text(line):
    """Markdown inline syntax as plain text: images dropped, links as "text (address)", and
    a link to the other guide as the name of its file in the zip."""
    line = re.sub(r"!\[[^\]]*\]\([^)]*\)", "", line)

    def link(match):
        text, target = match.group(1), match.group(2)
        if target in PACKED_GUIDES:
            target = PACKED_GUIDES[target]
            return target if text in PACKED_GUIDES else f"{text} ({target})"
        if text == target or not re.match(r"[a-z]+:", target):
            return text
        return f"{text} ({target})"

    line = re.sub(r"\[([^\]]*)\]\(([^)]*)\)", link, line)
    line = re.sub(r"\*\*([^*]+)\*\*", r"\1", line)
    return line.replace("`", "")


def display_width(text):
    """Columns in a fixed-width font, where Japanese characters take two."""
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def table_lines(rows):
    """A markdown table as aligned columns; a table of images only disappears."""
    cells = [[inline_text(c).strip() for c in row.strip().strip("|").split("|")] for row in rows]
    cells = [row for row in cells if not all(re.fullmatch(r":?-+:?", c) for c in row)]
    if not any(any(row) for row in cells[1:]):
        return []
    widths = [max(display_width(row[i]) for row in cells if i < len(row)) for i in range(len(cells[0]))]
    lines = []
    for row in cells:
        padded = [c + " " * (w - display_width(c)) for c, w in zip(row, widths)]
        lines.append("  ".join(padded).rstrip())
    return lines


def heading_lines(line):
    level = len(line) - len(line.lstrip("#"))
    title = inline_text(line[level:].strip())
    underline = {1: "=", 2: "-"}.get(level)
    return [title, underline * display_width(title)] if underline else [title]


def user_guide_text(markdown, version_line):
    """The user part of a guide in markdown, as plain text, with the version line below its
    name (the first heading)."""
    lines = markdown.splitlines()
    if MARKER not in lines:
        raise SystemExit(f"package.py: the guide has no line '{MARKER}'")
    lines = re.sub(r"<!--.*?-->", "", "\n".join(lines[: lines.index(MARKER)]), flags=re.S).splitlines()
    out, table, in_code = [], [], False
    for line in lines + [""]:
        if line.startswith("|") and not in_code:
            table.append(line)
            continue
        if table:
            out += table_lines(table)
            table = []
        if line.lstrip().startswith("```"):  # a fence may be indented in a list item
            in_code = not in_code
        elif in_code:
            out.append("    " + line)
        elif line.startswith("#"):
            out += heading_lines(line)
            if line.startswith("# ") and version_line:
                out.append(version_line)
                version_line = None
        else:
            out.append(inline_text(line).rstrip())
    text = re.sub(r"\n{3,}", "\n\n", "\n".join(out)).strip("\n") + "\n"
    return text


def entry(name):
    info = zipfile.ZipInfo(name, date_time=ENTRY_TIME)
    info.compress_type = zipfile.ZIP_DEFLATED
    info.create_system = 0  # MS-DOS attributes, as a zip made on Windows has
    info.external_attr = 0
    return info


def main():
    root, exe, zip_path, version = Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3]), sys.argv[4]
    members = [
        ("quorvane.exe", exe.read_bytes()),
        ("quorvane.cfg", crlf((root / "res/sample/quorvane.cfg").read_text("ascii")).encode("ascii")),
    ]
    for guide, packed in PACKED_GUIDES.items():
        if (root / guide).exists():
            text = user_guide_text((root / guide).read_text("utf-8"), VERSION_LINES[guide].format(version))
            # Notepad shows UTF-8 text as such only with a byte-order mark.
            members.append((packed, ("\ufeff" + crlf(text)).encode("utf-8")))
    members.append(("LICENSE.txt", crlf((root / "LICENSE").read_text("ascii")).encode("ascii")))
    with zipfile.ZipFile(zip_path, "w") as archive:
        for name, data in members:
            archive.writestr(entry(name), data, compresslevel=9)


if __name__ == "__main__":
    main()
