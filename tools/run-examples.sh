#!/usr/bin/env bash
# Unattended runs of the real program against the simulated analyser, checked as a CI server
# would check them: the conducted example passes (exit 0) and its report, CSV, JUnit and
# summary agree; a faulty plan is refused (exit 2) before anything is measured; a run stopped
# with SIGTERM ends with 130 and a summary that says it is incomplete.
#   tools/run-examples.sh PATH/TO/tq4800
set -euo pipefail
cd "$(dirname "$0")/.."
program=$(realpath "${1:?usage: tools/run-examples.sh PATH/TO/tq4800}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
fail() { echo "run-examples: $*" >&2; exit 1; }

# The conducted example and a stopped radiated one side by side: both wait on the paced line.
"$program" --run docs/examples/en55022-conducted.ini --simulate --quiet \
  --data-root "$work/root-c" --out "$work/conducted" 2>"$work/conducted.err" &
conducted=$!
"$program" --run docs/examples/en55022-radiated.ini --simulate --quiet \
  --data-root "$work/root-r" --out "$work/stopped" 2>"$work/stopped.err" &
stopped=$!

printf '[test a]\nlimit = EN55022 > Class C\n' >"$work/bad.ini"
code=0
"$program" --run "$work/bad.ini" --simulate --data-root "$work/root-b" 2>"$work/bad.err" || code=$?
[ "$code" = 2 ] || fail "a faulty plan ended with $code, not 2"
grep -q "bad.ini:2: unknown limit 'EN55022 > Class C'" "$work/bad.err" ||
  fail "a faulty plan's message: $(cat "$work/bad.err")"

sleep 15
kill -TERM "$stopped"
code=0
wait "$stopped" || code=$?
[ "$code" = 130 ] || fail "SIGTERM ended the run with $code, not 130: $(cat "$work/stopped.err")"
code=0
wait "$conducted" || code=$?
[ "$code" = 0 ] || fail "the conducted example ended with $code, not 0: $(cat "$work/conducted.err")"

python3 - "$work" <<'EOF'
import csv, json, subprocess, sys, xml.etree.ElementTree as ET
work = sys.argv[1]
def check(ok, what):
    if not ok:
        sys.exit("run-examples: " + what)
stopped = json.load(open(f"{work}/stopped/summary.json"))
check(stopped["verdict"] == "INCOMPLETE" and stopped["exit_code"] == 130,
      "the stopped run's summary: " + stopped["verdict"])
# STOP let the sweep under way end: its result file is whole, as long as any other.
kept = stopped["tests"][0]["files"]
check(stopped["tests"][0]["measured"] and "radiated.emc" in kept, f"stopped run kept {kept}")
emc = open(f"{work}/stopped/radiated.emc", encoding="latin-1").read().splitlines()
s = json.load(open(f"{work}/conducted/summary.json"))
check(s["verdict"] == "PASS" and s["complete"] and s["exit_code"] == 0, "summary verdict")
test = s["tests"][0]
peaks = test["peak_table"]["peaks"]
check(len(peaks) > 0 and all(p["final"] for p in peaks), "peaks measured finally")
files = {f.rsplit(".", 1)[-1] if "-peaks" not in f else "peaks": f for f in test["files"]}
check(sorted(files) == ["csv", "emc", "pdf", "peaks"], f"files {test['files']}")
info = subprocess.run(["pdfinfo", f"{work}/conducted/{files['pdf']}"], capture_output=True,
                      text=True, check=True).stdout
check("Pages:           2" in info, "the report has its graph and peak table pages")
rows = list(csv.reader(open(f"{work}/conducted/{files['peaks']}", newline="")))
body = [r for r in rows[2:] if r[0] != "Overall"]
check(len(body) == len(peaks), f"CSV has {len(body)} peaks, summary {len(peaks)}")
for r, p in zip(body, peaks):
    check(r[-2] == p["verdict"], f"CSV verdict {r[-2]} against {p['verdict']}")
    check(abs(float(r[1]) - p["frequency_mhz"]) < 1e-3, f"CSV frequency {r[1]}")
suites = ET.parse(f"{work}/conducted/junit.xml").getroot()
check(int(suites.get("tests")) == len(peaks), "JUnit test cases")
check(int(suites.get("failures")) == 0 and int(suites.get("errors")) == 0, "JUnit failures")
whole = open(f"{work}/conducted/{files['emc']}", encoding="latin-1").read().splitlines()
check(len(emc) == len(whole) and emc[0] == whole[0], "the stopped run's result file is whole")
print(f"run-examples: conducted PASS with {len(peaks)} peaks measured on quasi-peak and "
      f"average in {test['seconds']} s; the files agree")
EOF
