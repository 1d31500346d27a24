"""What the interop tests share: running a Windows probe program under Wine and reading the
name=value lines it prints."""
import subprocess
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


def windows_path(path):
    return "Z:" + str(path).replace("/", "\\")


def run_probe(probe, *args):
    """Runs the probe with the arguments; the name=value lines it printed, as a dict."""
    result = subprocess.run([str(ROOT / "tools" / "wine-exec.sh"), probe, *args], capture_output=True,
                            text=True, errors="replace", timeout=120)
    if result.returncode != 0:
        raise RuntimeError(f"probe {args[0]} ended with {result.returncode}: {result.stderr}")
    printed = {}
    for line in result.stdout.splitlines():
        name, equals, value = line.strip().partition("=")
        if equals:
            printed[name] = value
    return printed
