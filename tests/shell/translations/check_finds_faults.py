"""The translation check on a window with one fault of each kind: it fails and names each
fault, and passes over nothing else. Usage: check_finds_faults.py CHECK LUPDATE"""
import os
import subprocess
import sys

here = os.path.dirname(os.path.abspath(__file__))
check, lupdate = sys.argv[1], sys.argv[2]
faulty = os.path.join(here, "faulty")
run = subprocess.run(
    [sys.executable, check, "--lupdate", lupdate, "--sources", faulty, "--include", faulty,
     "--ts", os.path.join(faulty, "faulty_en.ts")],
    capture_output=True, text=True)
reported = run.stdout.splitlines()
expected = [
    "translation lost %2: Panel: '共 %1 项，%2 已选' -> '%1 items'",
    "no English translation: Panel: '新的文本'",
    "unfinished translation: Panel: '未完成'",
    "no longer in the code: Panel: '已删除'",
    'Chinese text outside tr(): Panel.cpp:17: "未经翻译"',
]
if run.returncode == 0 or reported != expected:
    print(f"exit {run.returncode}; reported:\n" + "\n".join(reported) + "\n" + run.stderr)
    sys.exit(1)
print("every fault reported")
