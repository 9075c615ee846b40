#!/usr/bin/env python3
"""Checks that the manual pages say what the programs and the README say.

  manpages_test.py SOURCE_DIR PDEHOST

pdehost: the options of `pdehost --help` (with their argument names) are the
options of the page; the README's options are among them; the README's script
commands and exit statuses are the page's, and pdehost knows every command the
page names. qvx-onboarder: the options and page messages of the page are the
ones the program's source reads, and the README's are among them.
"""
import os
import re
import subprocess
import sys
import tempfile

source, pdehost = sys.argv[1], os.path.abspath(sys.argv[2])
failures = []


def check(what, documented, actual, both_ways=True):
    missing = sorted(set(actual) - set(documented))
    extra = sorted(set(documented) - set(actual)) if both_ways else []
    if missing or extra:
        failures.append(f"{what}: not documented {missing}, documented but not there {extra}")


def read(path):
    with open(os.path.join(source, path), encoding="utf-8") as f:
        return f.read()


def man_entries(page, section):
    """The tag of each .TP entry in a section, roff escapes removed."""
    entries, current, previous = [], None, ""
    for line in read(page).splitlines():
        if line.startswith(".SH "):
            current = line[4:].strip('"')
        elif current == section and previous == ".TP":
            text = re.sub(r"^\.[BI]?[BIR]? ?", "", line)
            text = re.sub(r"\\f[BIRP]", "", text).replace("\\-", "-").replace('"', "")
            entries.append(" ".join(text.split()))
        previous = line
    return entries


def readme_section(title):
    text = read("README.md")
    start = text.index(f"\n## {title}\n")
    end = text.find("\n## ", start + 1)
    return text[start:end if end > 0 else len(text)]


def readme_bullets(title):
    """Each top-level bullet of a README section as one line."""
    bullets, inside = [], False
    for line in readme_section(title).splitlines():
        if line.startswith("- "):
            bullets.append(line[2:])
            inside = True
        elif inside and line.startswith("  "):
            bullets[-1] += " " + line.strip()
        else:
            inside = False
    return bullets


def code_spans(text):
    return re.findall(r"`([^`]+)`", text)


def listed_commands(bullet):
    """Commands a bullet lists: code spans that open it or stand in a list
    after a colon or a comma, outside parentheses."""
    text = None
    while text != bullet:
        text, bullet = bullet, re.sub(r"\([^()]*\)", "", bullet)
    return [span.split()[0] for span in re.findall(r"(?:^|[:,] )`([a-z][A-Za-z-]*(?: [^`]*)?)`", text)]


# pdehost
page = "packaging/man/pdehost.1"
helped = subprocess.run([pdehost, "--help"], capture_output=True, text=True, check=True).stdout
help_options = []
for line in helped.splitlines():
    words = line.split()
    if line.startswith("  ") and words and words[0].startswith("--"):
        help_options.append(words[0] + (" " + words[1] if len(words) > 1 and words[1].isupper() else ""))
man_options = man_entries(page, "OPTIONS")
check("pdehost options (--help)", man_options, help_options)

bullets = readme_bullets("TintPanel / pdehost")
options_bullet = next(b for b in bullets if b.startswith("Options:"))
check("pdehost options (README)", man_options, [s for s in code_spans(options_bullet) if s.startswith("--")],
      both_ways=False)

man_commands = [entry.split()[0] for entry in man_entries(page, "COMMANDS")]
readme_commands = [command for bullet in bullets if not bullet.startswith(("Options:", "Exit status:"))
                   for command in listed_commands(bullet)]
check("pdehost script commands (README)", man_commands, readme_commands)

exit_bullet = next(b for b in bullets if b.startswith("Exit status:"))
check("pdehost exit statuses (README)", man_entries(page, "EXIT STATUS"),
      re.findall(r"(?:^|[:,]) (\d+) ", exit_bullet))

# Each command once, with nothing to print to and a scratch home, so that no
# command can reach a real queue or the user's files.
with tempfile.TemporaryDirectory() as home:
    environment = dict(os.environ, HOME=home, CUPS_SERVERROOT=home, CUPS_SERVER="127.0.0.1:9")
    for command in man_commands:
        run = subprocess.run([pdehost, "--printer", ""], input=command + "\n", capture_output=True, text=True,
                             env=environment, cwd=home, timeout=60)
        if f'unknown command "{command}"' in run.stderr:
            failures.append(f"pdehost does not know the command {command} of its manual page")

# qvx-onboarder
page = "packaging/man/qvx-onboarder.1"
man_options = man_entries(page, "OPTIONS")
check("qvx-onboarder options (setup/main.cpp)", man_options, re.findall(r'"(--[a-z-]+)"', read("setup/main.cpp")))
check("qvx-onboarder options (README)", man_options,
      [s for s in code_spans(readme_section("Onboarder")) if s.startswith("--")], both_ways=False)
man_messages = man_entries(page, "MESSAGES")
check("qvx-onboarder page messages (setup/bridge/page_message.cpp)", man_messages,
      re.findall(r'command == "([a-z]+)"', read("setup/bridge/page_message.cpp")))
check("qvx-onboarder page messages (README)", man_messages,
      re.findall(r'"cmd":"([a-z]+)"', readme_section("Onboarder")), both_ways=False)

for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
