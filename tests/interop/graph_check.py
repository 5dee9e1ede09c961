"""Exports each .lin file with korvane-cli and reads the result with the real tools:
Graphviz's dot must render the DOT export without a warning, NetworkX must load the
GraphML export with one node per statement, step and exception and one edge per AIF edge.
Usage: python3 graph_check.py dot|graphml KORVANE_CLI FILE.lin..."""
import json
import subprocess
import sys


def export(cli, path, fmt):
    # Exit status 1 (interpretation stopped) still exports the stage reached.
    run = subprocess.run([cli, "export", path, "--format", fmt], capture_output=True)
    if run.returncode not in (0, 1):
        raise RuntimeError(f"korvane-cli export {fmt} failed: {run.stderr.decode()}")
    return run.stdout


def check_dot(cli, path, aif):
    run = subprocess.run(["dot", "-Tsvg"], input=export(cli, path, "dot"), capture_output=True)
    problems = []
    if run.returncode != 0 or run.stderr:
        problems.append(f"dot: status {run.returncode}: {run.stderr.decode(errors='replace')}")
    drawn = run.stdout.count(b'<g id="node')
    if drawn != len(aif["nodes"]):
        problems.append(f"dot drew {drawn} nodes, expected {len(aif['nodes'])}")
    return problems


def check_graphml(cli, path, aif):
    import io
    import networkx
    graph = networkx.read_graphml(io.BytesIO(export(cli, path, "graphml")))
    problems = []
    if graph.number_of_nodes() != len(aif["nodes"]):
        problems.append(f"{graph.number_of_nodes()} nodes, expected {len(aif['nodes'])}")
    if graph.number_of_edges() != len(aif["edges"]):
        problems.append(f"{graph.number_of_edges()} edges, expected {len(aif['edges'])}")
    texts = [n["text"] for n in aif["nodes"] if n["type"] == "I"]
    for i, text in enumerate(texts):
        # XML cannot hold most control characters; the export draws them as their pictures.
        want = "".join(chr(0x2400 + ord(c)) if ord(c) < 0x20 and c not in "\t\n\r" else c for c in text)
        # NetworkX reads an empty <data> element as no value.
        got = graph.nodes[f"s{i + 1}"].get("text")
        if got is None and f"s{i + 1}" in graph.nodes:
            got = ""
        if got != want:
            problems.append(f"s{i + 1}: {got!r}, expected {want!r}")
    return problems


def main():
    if len(sys.argv) < 4 or sys.argv[1] not in ("dot", "graphml"):
        print(__doc__, file=sys.stderr)
        return 2
    mode, cli, files = sys.argv[1], sys.argv[2], sys.argv[3:]
    failed = 0
    for path in files:
        aif = json.loads(export(cli, path, "aif"))
        problems = (check_dot if mode == "dot" else check_graphml)(cli, path, aif)
        print(("FAIL " if problems else "ok ") + path)
        for p in problems:
            print("  " + p)
        failed += bool(problems)
    print(f"{len(files) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
