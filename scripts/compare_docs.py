"""Prints the compare-docs table from the two folders of PDFs."""
import difflib
import pathlib
import re
import subprocess
import sys


def run(*args):
    try:
        return subprocess.run(args, capture_output=True, text=True, timeout=120).stdout
    except (OSError, subprocess.TimeoutExpired):
        return ""


def pages(pdf):
    match = re.search(r"^Pages:\s+(\d+)", run("pdfinfo", str(pdf)), re.M)
    return int(match.group(1)) if match else None


def words(pdf, *mode):
    """The PDF's words in pdftotext's reading order, or with "-layout" in the
    order they stand on the page. The reading order groups words into blocks
    by their font boxes, which each PDF writer derives differently from the
    same font (one from the font's ascent and descent, the other leaving them
    out for the reader's defaults), so a table cell can be read before or
    after the next row's cell though both pages put it at the same place; the
    layout order does not depend on that."""
    return run("pdftotext", "-q", *mode, str(pdf), "-").split()


def text_words(words):
    """The words that hold a letter or a digit: bullets and other symbol-font
    marks are left out, since the office suite writes a symbol font's bullets
    as private-use characters that no Unicode glyph can match."""
    return [word for word in words if any(ch.isalnum() for ch in word)]


def similarity(a, b):
    return difflib.SequenceMatcher(None, a, b, autojunk=False).ratio() if a or b else 1.0


def raster_images(pdf):
    lines = run("pdfimages", "-list", str(pdf)).splitlines()[2:]
    return sum(1 for line in lines if line.split()[2:3] == ["image"])


def main():
    corpus, out = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    print(f"{'document':<28} {'pages':>11} {'similarity':>10} {'(all tokens)':>12} {'(by layout)':>11} "
          f"{'pictures (office raster / ours placed)':>40}")
    equal_pages = readable = 0
    for doc in sorted(corpus.glob("*.doc")):
        ours, theirs = out / "quire" / f"{doc.stem}.pdf", out / "office" / f"{doc.stem}.pdf"
        if not ours.exists():
            print(f"{doc.name:<28} {'refused by the engine':>11}")
            continue
        readable += 1
        our_pages, their_pages = pages(ours), pages(theirs) if theirs.exists() else None
        equal_pages += our_pages == their_pages
        a, b = words(ours), words(theirs) if theirs.exists() else []
        by_layout = similarity(text_words(words(ours, "-layout")),
                               text_words(words(theirs, "-layout")) if theirs.exists() else [])
        count = (out / "quire" / f"{doc.stem}.count")
        placed = re.search(r"pictures (\d+)", count.read_text()) if count.exists() else None
        print(f"{doc.name:<28} {our_pages!s:>5} / {their_pages!s:<3} "
              f"{similarity(text_words(a), text_words(b)):>10.3f} {similarity(a, b):>12.3f} {by_layout:>11.3f} "
              f"{raster_images(theirs) if theirs.exists() else '-':>20} / {placed.group(1) if placed else '?'}")
    print(f"page counts equal on {equal_pages} of {readable} readable documents")


if __name__ == "__main__":
    main()
