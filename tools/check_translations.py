#!/usr/bin/env python3
"""Fails when a translation is missing, unfinished or drops a placeholder.

usage: check_translations.py LUPDATE SOURCES=TS[,TS...] [SOURCES=TS[,TS...]...]

Each .ts file is copied to a scratch folder and brought up to date there by
lupdate from SOURCES, so a text added to the code but not yet to the .ts
files counts as missing. The committed files are not touched.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

PLACEHOLDER = re.compile(r"%(?:\d+|n)")
# An accelerator is a single '&' before a character; '&&' is a literal '&'.
ACCELERATOR = re.compile(r"(?<!&)&(?!&)(?=[^\s&])")


def text_of(element):
    return "".join(element.itertext()) if element is not None else ""


def accelerators(text):
    return len(ACCELERATOR.findall(text.replace("&&", "")))


def check_file(path):
    problems = []
    count = 0
    root = ET.parse(path).getroot()
    for context in root.iter("context"):
        name = text_of(context.find("name"))
        for message in context.iter("message"):
            source = text_of(message.find("source"))
            translation = message.find("translation")
            kind = translation.get("type", "") if translation is not None else "missing"
            if kind in ("vanished", "obsolete"):
                continue
            count += 1
            where = "%s: %r" % (name, source)
            forms = [text_of(f) for f in translation.iter("numerusform")] if translation is not None else []
            if not forms:
                forms = [text_of(translation)]
            if kind in ("unfinished", "missing") or not all(f.strip() for f in forms):
                problems.append("%s is not translated" % where)
                continue
            wanted = sorted(set(PLACEHOLDER.findall(source)))
            for form in forms:
                got = sorted(set(PLACEHOLDER.findall(form)))
                if got != wanted:
                    problems.append("%s: placeholders %s became %s in %r" % (where, wanted, got, form))
                if accelerators(source) and not accelerators(form):
                    problems.append("%s: the accelerator is lost in %r" % (where, form))
    return count, problems


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    lupdate = argv[1]
    failed = False
    with tempfile.TemporaryDirectory() as scratch:
        for group in argv[2:]:
            sources, _, files = group.partition("=")
            copies = []
            for ts in files.split(","):
                copy = os.path.join(scratch, os.path.basename(ts))
                shutil.copyfile(ts, copy)
                copies.append(copy)
            run = subprocess.run([lupdate, "-silent", "-locations", "none", "-no-obsolete",
                                  "-extensions", "cpp,h,ui", sources, "-ts"] + copies,
                                 stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
            if run.returncode != 0:
                print("lupdate failed:\n" + run.stdout, file=sys.stderr)
                return 1
            for copy in copies:
                count, problems = check_file(copy)
                name = os.path.basename(copy)
                if count == 0:
                    problems.append("no texts at all")
                print("%s: %d texts, %d problems" % (name, count, len(problems)))
                for problem in problems:
                    print("  " + problem)
                failed = failed or bool(problems)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
