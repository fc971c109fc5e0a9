"""Prints gcovr's merged JSON as one row per product folder (src/<folder>, with its rules):
functions executed / all and lines executed / all, then the functions never executed."""
import json
import sys
from collections import defaultdict


def folder_of(path):
    parts = path.split("/")
    return "/".join(parts[:2]) if len(parts) > 2 else parts[0]


def main(path):
    with open(path, encoding="utf-8") as f:
        report = json.load(f)
    functions = defaultdict(lambda: [0, 0])
    lines = defaultdict(lambda: [0, 0])
    never = []
    for entry in report["files"]:
        folder = folder_of(entry["file"])
        # A function of the rules is built in both trees, under names that differ with the
        # target's types (unsigned long against unsigned long long): a function is where it
        # begins, and executed when any build of it ran.
        seen = {}
        names = {}
        for function in entry.get("functions", []):
            key = function.get("lineno")
            names.setdefault(key, function["name"])
            seen[key] = seen.get(key, False) or function.get("execution_count", 0) > 0
        for lineno, ran in seen.items():
            name = names[lineno]
            functions[folder][1] += 1
            functions[folder][0] += ran
            if not ran:
                never.append(f"{entry['file']}:{lineno} {name}")
        for line in entry.get("lines", []):
            if line.get("gcovr/noncode"):
                continue
            lines[folder][1] += 1
            lines[folder][0] += line.get("count", 0) > 0
    print("| folder | functions | lines |")
    print("|---|---|---|")
    total_f = [0, 0]
    total_l = [0, 0]
    for folder in sorted(set(functions) | set(lines)):
        f, l = functions[folder], lines[folder]
        total_f = [total_f[0] + f[0], total_f[1] + f[1]]
        total_l = [total_l[0] + l[0], total_l[1] + l[1]]
        print(f"| {folder} | {f[0]} / {f[1]} | {l[0]} / {l[1]} ({100 * l[0] / max(l[1], 1):.0f} %) |")
    print(f"| all | {total_f[0]} / {total_f[1]} | {total_l[0]} / {total_l[1]} "
          f"({100 * total_l[0] / max(total_l[1], 1):.0f} %) |")
    print()
    print(f"functions never executed: {len(never)}")
    for item in sorted(never):
        print("  " + item)


if __name__ == "__main__":
    main(sys.argv[1])
