#!/usr/bin/python3
"""Formalys side by side with the general-purpose form fillers: pdftk-java, pdf-lib, pypdf.

Every tool fills the same template (MT.pdf of the release build) with the same values
(values.json: the demo patient, accents included, both check boxes ticked) and saves it with
visible values. Tools run alternately, round after round:

  - whole process: one document per process, wall time from start to exit;
  - in process: a batch of documents in one process, time per document of the loop.

Formalys runs as formalys_fill (the same work as the peers' scripts, the way generation writes
fields) and as the real commands `formalys fill` and `formalys generate` on the demo directory.

Every output is checked independently of the tool that made it: `qpdf --check`; values read back
by qpdf (JSON) exactly, accents included; check boxes on (/V and /AS); and the values visible as
drawn by the tool (poppler's pdftotext on a copy without /NeedAppearances, so that poppler does
not draw the fields itself). Identical outputs are checked once.

The Python program that runs the tools adds its own cost to each process it starts (a few
milliseconds here); the real commands are timed again with hyperfine, which adds none.

Usage: bench/compare/compare.py [--rounds N] [--batch N] [--runs N] [--build DIR] [--no-install]
Run it from anywhere; it installs what is missing (Debian packages with apt-get, pdf-lib with npm
into bench/compare/node_modules) unless --no-install is given.
"""

import argparse
import hashlib
import json
import os
import re
import shlex
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

HERE = Path(__file__).resolve().parent
ROOT = HERE.parent.parent
WORK = HERE / "work"
DEBIAN_PYTHON = "/usr/bin/python3"  # the interpreter that sees Debian's python3-pypdf


def run(command, **kwargs):
    return subprocess.run(command, check=True, capture_output=True, text=True, **kwargs)


def install_peers():
    packages = {"pdftk": "pdftk-java", "hyperfine": "hyperfine", "pdftotext": "poppler-utils",
                "qpdf": "qpdf", "node": "nodejs", "npm": "npm"}
    if not Path("/usr/bin/time").exists():
        packages["/usr/bin/time"] = "time"
    missing = [pkg for tool, pkg in packages.items() if shutil.which(tool) is None]
    if subprocess.run([DEBIAN_PYTHON, "-c", "import pypdf"], capture_output=True).returncode:
        missing.append("python3-pypdf")
    if missing:
        sudo = [] if os.geteuid() == 0 else ["sudo"]
        print("installing:", " ".join(missing), flush=True)
        subprocess.run(sudo + ["apt-get", "update", "-qq"], check=True)
        subprocess.run(sudo + ["apt-get", "install", "-y", "-qq"] + missing, check=True,
                       env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))
    if not (HERE / "node_modules" / "pdf-lib").is_dir():
        print("installing pdf-lib@1.17 into", HERE / "node_modules", flush=True)
        subprocess.run(["npm", "install", "--silent", "--no-save", "--no-package-lock",
                        "--prefix", str(HERE), "pdf-lib@1.17"], check=True)


def version(command):
    try:
        out = subprocess.run(command, capture_output=True, text=True).stdout
        return out.strip().splitlines()[0] if out.strip() else "?"
    except OSError:
        return "?"


# ---- the common input ----------------------------------------------------------------------

def xfdf(values, on_state):
    def escaped(text):
        return (text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
                .replace('"', "&quot;"))
    fields = [(name, value) for name, value in values["text"].items()]
    fields += [(name, on_state) for name, ticked in values["checkboxes"].items() if ticked]
    body = "".join(f'<field name="{escaped(n)}"><value>{escaped(v)}</value></field>\n'
                   for n, v in fields)
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<xfdf xmlns="http://ns.adobe.com/xfdf/" xml:space="preserve">\n'
            f"<fields>\n{body}</fields>\n</xfdf>\n")


def objects_of(pdf):
    """Every object of `pdf` as qpdf's JSON (version 2) gives it, and the header."""
    out = run(["qpdf", "--json=2", "--json-key=qpdf", "--json-stream-data=none", str(pdf)]).stdout
    header, objects = json.loads(out)["qpdf"]
    return header, objects


def on_state_of(template, values):
    """The on state of the template's check boxes (/Oui, /Yes, ...), read from their /AP /N."""
    _, objects = objects_of(template)
    fields = json.loads(run(["qpdf", "--json=1", "--json-key=acroform", str(template)]).stdout)
    for field in fields["acroform"]["fields"]:
        if field["fullname"] in values["checkboxes"]:
            widget = objects["obj:" + field["annotation"]["object"]]["value"]
            normal = widget["/AP"]["/N"]
            if isinstance(normal, str):
                normal = objects["obj:" + normal]["value"]
            return next(k for k in normal if k != "/Off")[1:]
    raise SystemExit("the template has none of the check boxes of values.json")


# ---- the tools -----------------------------------------------------------------------------

class Tool:
    def __init__(self, name, whole, batch=None, checks_boxes=True):
        self.name = name
        self.whole = whole  # (output path) -> command
        self.batch = batch  # (out dir, count) -> command printing {"perDocumentMs": …}
        self.checks_boxes = checks_boxes  # whether its input ticks the check boxes
        self.process_ms = []
        self.batch_ms = []
        self.peak_mib = 0.0
        self.outputs = []


def tools(build, template, values_path, xfdf_path, on_state, demo):
    formalys = build / "src" / "cli" / "formalys"
    fill = build / "bench" / "formalys_fill"
    node_env = {"NODE_PATH": str(HERE / "node_modules")}

    def formalys_fill_whole(out):
        return [str(fill), str(template), str(values_path), str(out.parent), "1"], out.parent / "document0.pdf"

    return [
        Tool("pdftk-java (fill_form, XFDF)",
             lambda out: (["pdftk", str(template), "fill_form", str(xfdf_path), "output", str(out)], out)),
        Tool("pdf-lib 1.17 (Node)",
             lambda out: (["node", str(HERE / "pdflib_fill.mjs"), str(template), str(values_path),
                           str(out.parent), "1"], out.parent / "document0.pdf"),
             lambda d, n: ["node", str(HERE / "pdflib_fill.mjs"), str(template), str(values_path),
                           str(d), str(n)]),
        Tool("pypdf (Debian)",
             lambda out: ([DEBIAN_PYTHON, str(HERE / "pypdf_fill.py"), str(template),
                           str(values_path), str(out.parent), "1", on_state],
                          out.parent / "document0.pdf"),
             lambda d, n: [DEBIAN_PYTHON, str(HERE / "pypdf_fill.py"), str(template),
                           str(values_path), str(d), str(n), on_state]),
        Tool("Formalys (formalys_fill)", formalys_fill_whole,
             lambda d, n: [str(fill), str(template), str(values_path), str(d), str(n)]),
        Tool("Formalys (formalys fill --form MT)",
             lambda out: ([str(formalys), "fill", "--dir", str(demo), "--form", "MT", "--out",
                           str(out)], out), checks_boxes=False),
        Tool("Formalys (formalys generate --form MT)",
             lambda out: ([str(formalys), "generate", "--dir", str(demo), "--form", "MT", "--out",
                           str(out)], out), checks_boxes=False),
    ], node_env


# ---- checking an output --------------------------------------------------------------------

def pdftotext_words(pdf):
    """Words drawn on page 1 by poppler with their boxes (points, origin top left)."""
    html = run(["pdftotext", "-bbox", "-f", "1", "-l", "1", str(pdf), "-"]).stdout
    words = []
    for m in re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" '
                         r'yMax="([\d.]+)">(.*?)</word>', html):
        x0, y0, x1, y1 = (float(v) for v in m.groups()[:4])
        text = (m.group(5).replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", '"')
                .replace("&#39;", "'").replace("&apos;", "'").replace("&amp;", "&"))
        words.append(((x0 + x1) / 2, (y0 + y1) / 2, text))
    page = re.search(r'<page width="([\d.]+)" height="([\d.]+)"', html)
    return words, float(page.group(2))


def without_need_appearances(pdf, header, objects, copy):
    """`pdf` copied with /NeedAppearances false, so that poppler shows the tool's own drawing."""
    root = objects["trailer"]["value"]["/Root"]
    catalog = objects["obj:" + root]["value"]
    form = catalog.get("/AcroForm")
    if isinstance(form, str):
        key, value = "obj:" + form, dict(objects["obj:" + form]["value"])
        value["/NeedAppearances"] = False
    else:
        key, value = "obj:" + root, dict(catalog)
        value["/AcroForm"] = dict(form or {}, **{"/NeedAppearances": False})
    update = {"qpdf": [{"jsonversion": 2, "pushedinheritedpageresources": False,
                        "calledgetallpages": False, "maxobjectid": header["maxobjectid"]},
                       {key: {"value": value}}]}
    update_path = copy.with_suffix(".json")
    update_path.write_text(json.dumps(update))
    run(["qpdf", str(pdf), f"--update-from-json={update_path}", str(copy)])


def need_appearances(objects):
    catalog = objects["obj:" + objects["trailer"]["value"]["/Root"]]["value"]
    form = catalog.get("/AcroForm", {})
    if isinstance(form, str):
        form = objects["obj:" + form]["value"]
    return form.get("/NeedAppearances") is True


def check(pdf, values, on_state, boxes_ticked):
    """What is wrong with `pdf`: an empty list when everything is right."""
    problems = []
    result = subprocess.run(["qpdf", "--check", str(pdf)], capture_output=True, text=True)
    if result.returncode != 0:
        return ["qpdf --check fails: " + (result.stdout + result.stderr).strip().splitlines()[-1]]
    fields = json.loads(run(["qpdf", "--json=1", "--json-key=acroform", str(pdf)]).stdout)
    header, objects = objects_of(pdf)
    by_name = {f["fullname"]: f for f in fields["acroform"]["fields"]}
    # An absent value reads as the empty text, as in every viewer.
    wrong = [n for n, v in values["text"].items()
             if n not in by_name or (by_name[n]["value"] or "") != v]
    if wrong:
        problems.append(f"{len(wrong)} value(s) read back wrong, e.g. {wrong[0]!r}: "
                        f"{by_name.get(wrong[0], {}).get('value')!r}")
    for name in values["checkboxes"]:
        field = by_name.get(name)
        want = "/" + on_state if boxes_ticked else "/Off"
        if field is None:
            problems.append(f"check box {name!r} missing")
            continue
        # /V as stored: a name ("/Oui"); qpdf's JSON writes a string as "u:…" or "b:…".
        value = objects["obj:" + field["object"]]["value"].get("/V")
        widget = objects["obj:" + field["annotation"]["object"]]["value"]
        if value != want:
            kind = f"the string {value[2:]!r}" if isinstance(value, str) and \
                value.startswith(("u:", "b:")) else repr(value)
            problems.append(f"check box {name!r} has /V {kind}, not the name {want}")
            break
        if widget.get("/AS") != want:
            problems.append(f"check box {name!r} shows {widget.get('/AS')!r}, not {want}")
            break

    # Visible values: every filled text widget has its own normal appearance stream, and the words
    # that poppler draws inside it, from the tool's appearance streams, are the value.
    bare = [name for name, value in values["text"].items()
            if value and name in by_name and not isinstance(
                objects["obj:" + by_name[name]["annotation"]["object"]]["value"]
                .get("/AP", {}).get("/N"), str)]
    if bare:
        problems.append(f"{len(bare)} value(s) without an appearance stream, e.g. {bare[0]!r}"
                        + (" (only /NeedAppearances)" if need_appearances(objects) else ""))
    copy = WORK / "check" / (hashlib.sha1(str(pdf).encode()).hexdigest() + ".pdf")
    copy.parent.mkdir(parents=True, exist_ok=True)
    without_need_appearances(pdf, header, objects, copy)
    words, page_height = pdftotext_words(copy)
    invisible = []
    for name, value in values["text"].items():
        field = by_name.get(name)
        if field is None or not value:
            continue
        widget = objects["obj:" + field["annotation"]["object"]]["value"]
        x0, y0, x1, y1 = widget["/Rect"]
        top, bottom = page_height - max(y0, y1), page_height - min(y0, y1)
        inside = [t for (x, y, t) in words
                  if min(x0, x1) <= x <= max(x0, x1) and top <= y <= bottom]
        if "".join(inside).replace(" ", "") != value.replace(" ", ""):
            invisible.append((name, " ".join(inside)))
    if invisible:
        name, shown = invisible[0]
        problems.append(f"{len(invisible)} value(s) not drawn by the tool, e.g. {name!r} shows "
                        f"{shown!r}")
    return problems


# ---- the run -------------------------------------------------------------------------------

def timed(command, env=None, measure_memory=False):
    """Runs `command`: its wall time in ms, its output, and with `measure_memory` its peak
    resident memory in MiB, taken by /usr/bin/time (a fork of this Python program would count
    Python's own memory)."""
    with tempfile.NamedTemporaryFile("w+") as memory, tempfile.TemporaryFile("w+") as out, \
            tempfile.TemporaryFile("w+") as err:
        if measure_memory:
            command = ["/usr/bin/time", "-f", "%M", "-o", memory.name] + command
        start = time.perf_counter()
        result = subprocess.run(command, stdout=out, stderr=err,
                                env=dict(os.environ, **(env or {})))
        elapsed = (time.perf_counter() - start) * 1000
        out.seek(0)
        err.seek(0)
        if result.returncode != 0:
            raise RuntimeError(f"{command[0]} failed ({result.returncode}): {err.read().strip()}")
        peak = int(memory.read().split()[-1]) / 1024 if measure_memory else 0.0
        return elapsed, out.read(), peak


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--runs", type=int, default=5, help="whole-process runs per round")
    parser.add_argument("--batch", type=int, default=200, help="documents per in-process batch")
    parser.add_argument("--build", type=Path, default=ROOT / "build" / "release")
    parser.add_argument("--no-install", action="store_true")
    args = parser.parse_args()

    if not args.no_install:
        install_peers()
    build = args.build.resolve()
    template_built = build / "data" / "forms" / "MT.pdf"
    for needed in (template_built, build / "bench" / "formalys_fill",
                   build / "src" / "cli" / "formalys"):
        if not needed.exists():
            raise SystemExit(f"{needed} is missing: build the release preset first")

    shutil.rmtree(WORK, ignore_errors=True)
    WORK.mkdir(parents=True)
    template = WORK / "MT.pdf"
    shutil.copy(template_built, template)
    values_path = HERE / "values.json"
    values = json.loads(values_path.read_text(encoding="utf-8"))
    on_state = on_state_of(template, values)
    xfdf_path = WORK / "values.xfdf"
    xfdf_path.write_text(xfdf(values, on_state), encoding="utf-8")
    # The demo application directory of the real commands: templates, grids, exchange file.
    demo = WORK / "demo"
    demo.mkdir()
    for pdf in (build / "data" / "forms").glob("*.pdf"):
        shutil.copy(pdf, demo)
    for grid in (ROOT / "data" / "grids").glob("*.cil"):
        shutil.copy(grid, demo)
    shutil.copy(ROOT / "data" / "demo" / "Formalys.ini", demo)

    all_tools, node_env = tools(build, template, values_path, xfdf_path, on_state, demo)
    print(f"{len(values['text'])} text fields and {len(values['checkboxes'])} check boxes; "
          f"{args.rounds} rounds of {args.runs} whole-process runs and a batch of {args.batch} "
          "documents per tool", flush=True)
    for r in range(args.rounds):
        order = all_tools[r % len(all_tools):] + all_tools[:r % len(all_tools)]
        for tool in order:
            env = node_env if "pdf-lib" in tool.name else None
            slug = re.sub(r"[^a-z0-9]+", "-", tool.name.lower()).strip("-")
            for k in range(args.runs):
                out_dir = WORK / "whole" / slug / f"r{r}k{k}"
                out_dir.mkdir(parents=True)
                command, output = tool.whole(out_dir / "document0.pdf")
                elapsed, _, _ = timed(command, env)
                tool.process_ms.append(elapsed)
                tool.outputs.append(output)
            if tool.batch:
                out_dir = WORK / "batch" / slug / f"r{r}"
                out_dir.mkdir(parents=True)
                _, stdout, peak = timed(tool.batch(out_dir, args.batch), env, measure_memory=True)
                tool.peak_mib = max(tool.peak_mib, peak)
                tool.batch_ms.append(json.loads(stdout.strip().splitlines()[-1])["perDocumentMs"])
                tool.outputs += sorted(out_dir.glob("*.pdf"))
        print(f"round {r + 1} of {args.rounds} done", flush=True)

    # Checks: every output, identical files once.
    for tool in all_tools:
        seen = {}
        tool.problems = []
        for output in tool.outputs:
            digest = hashlib.sha256(output.read_bytes()).hexdigest()
            if digest not in seen:
                seen[digest] = check(output, values, on_state, tool.checks_boxes)
            for p in seen[digest]:
                if p not in tool.problems:
                    tool.problems.append(p)
        tool.distinct = len(seen)
        tool.checked = len(tool.outputs)

    ours = next(t for t in all_tools if t.name.startswith("Formalys (formalys_fill"))
    ours_process = statistics.median(ours.process_ms)
    ours_batch = statistics.median(ours.batch_ms)
    print()
    print("| tool | one form, whole process (median) | × Formalys | in one process, per form "
          "(median) | forms per second | × Formalys | peak memory of the batch | outputs checked | values visible and right |")
    print("|---|---|---|---|---|---|---|---|---|")
    for tool in all_tools:
        process = statistics.median(tool.process_ms)
        ratio_process = "" if tool is ours or not tool.name.startswith(("pdf", "pyp")) \
            else f"{process / ours_process:.1f}"
        if tool.batch_ms:
            batch = statistics.median(tool.batch_ms)
            per_form = f"{batch:.3f} ms"
            rate = f"{1000 / batch:.0f}"
            ratio_batch = "" if tool is ours else f"{batch / ours_batch:.0f}"
        else:
            per_form, rate, ratio_batch = "(one process per form)", f"{1000 / process:.1f}", \
                ("" if tool.name.startswith("Formalys") else f"{process / ours_batch:.0f}")
        verdict = "yes" if not tool.problems else "no: " + "; ".join(tool.problems)
        print(f"| {tool.name} | {process:.1f} ms | {ratio_process} | {per_form} | {rate} | "
              f"{ratio_batch} | {f'{tool.peak_mib:.1f} MiB' if tool.peak_mib else ''} | {tool.checked} ({tool.distinct} distinct) | "
              f"{verdict} |")
    print()
    print("× Formalys: the peer's median divided by formalys_fill's (whole process: one form per "
          "process; in one process: time per form of the batch; pdftk, which has no batch, is "
          "compared by its whole process).")
    # The real commands once more with hyperfine: no Python fork in the measure.
    if shutil.which("hyperfine"):
        print()
        for tool in all_tools:
            if not tool.name.startswith("Formalys (formalys "):
                continue
            command, _ = tool.whole(WORK / "hyperfine.pdf")
            report = WORK / "hyperfine.json"
            run(["hyperfine", "-N", "--warmup", "5", "--runs", str(10 * args.runs), "--export-json",
                 str(report), shlex.join(command)])
            times = json.loads(report.read_text())["results"][0]["times"]
            print(f"hyperfine, {tool.name}: median {statistics.median(times) * 1000:.1f} ms, "
                  f"mean {statistics.mean(times) * 1000:.1f} ms over {len(times)} runs")
    print("Versions:", "; ".join([version(["pdftk", "--version"]).strip(),
                                  "node " + version(["node", "--version"]),
                                  "pypdf " + version([DEBIAN_PYTHON, "-c",
                                                      "import pypdf; print(pypdf.__version__)"]),
                                  version(["qpdf", "--version"])]))
    with open(f"/proc/loadavg") as f:
        print("Load average at the end:", f.read().split()[0])
    return 0


if __name__ == "__main__":
    sys.exit(main())
