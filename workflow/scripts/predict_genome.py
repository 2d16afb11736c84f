"""One genome's job: meridan-predict -o into the genome's folder, with its
wall time and peak memory, and a one-line record of how it went."""
import os
import resource
import shutil
import subprocess
import time

FIELDS = ["id", "status", "exit", "seconds", "cpu_seconds", "peak_mb", "slurm_job", "host", "message"]


def write_record(path, values):
    tmp = f"{path}.{os.getpid()}.part"
    with open(tmp, "w", encoding="utf-8") as out:
        out.write("\t".join(FIELDS) + "\n")
        out.write("\t".join(str(values.get(f, "")).replace("\t", " ").replace("\n", " ") for f in FIELDS) + "\n")
    os.replace(tmp, path)


def read_record(path):
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()
    return dict(zip(lines[0].split("\t"), lines[1].split("\t")))


def problem_lines(text):
    """The lines of meridan-predict's output that tell what went wrong."""
    keep = [l.strip() for l in text.splitlines()
            if "meridan-predict:" in l or "fail" in l.lower() or "error" in l.lower()]
    return "; ".join(keep[-3:]) if keep else ""


def panel_option(status_path):
    """--panel DB when the batch's panel was built, else nothing."""
    if not status_path or not os.path.exists(status_path):
        return []
    with open(status_path, encoding="utf-8") as f:
        status = f.read().strip()
    return [] if not status or status.startswith("none") else ["--panel", status]


def run(predict, genome, files, outdir, record_path, log_path, operons="evidence", panel_status=""):
    """Runs the prediction. True when meridan-predict produced every result
    (exit 0); False when it refused the input (2) or a stage failed (1): the
    record beside the log then holds its message, and whatever the other
    stages wrote stays in the genome's folder for a look."""
    os.makedirs(os.path.dirname(log_path), exist_ok=True)
    # A failed earlier attempt leaves nothing half-written behind.
    if os.path.isdir(outdir):
        shutil.rmtree(outdir)
    os.makedirs(outdir)
    start = time.monotonic()
    command = [predict, "-o", outdir, "--operons", operons] + panel_option(panel_status) + files
    with open(log_path, "w", encoding="utf-8") as log:
        log.write("$ " + " ".join(command) + "\n")
        log.flush()
        try:
            done = subprocess.run(command,
                                  stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                  errors="replace")
            code, text = done.returncode, done.stdout
        except OSError as e:
            code, text = 127, f"meridan-predict: cannot start {predict}: {e.strerror}\n"
        log.write(text)
    seconds = time.monotonic() - start
    # The largest resident set of any child so far: this job runs one.
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    peak_mb = usage.ru_maxrss / 1024
    record = {
        "id": genome,
        "exit": code,
        "seconds": f"{seconds:.1f}",
        "cpu_seconds": f"{usage.ru_utime + usage.ru_stime:.1f}",
        "peak_mb": f"{peak_mb:.0f}",
        "slurm_job": os.environ.get("SLURM_JOB_ID", "-"),
        "host": os.uname().nodename,
        "message": problem_lines(text),
    }
    failed_path = os.path.join(os.path.dirname(log_path), genome + ".failed.tsv")
    if code == 0:
        record["status"] = "ok"
        if os.path.exists(failed_path):
            os.remove(failed_path)
        write_record(record_path, record)
        return True
    record["status"] = "failed"
    record["message"] = record["message"] or f"meridan-predict ended with status {code}"
    # Kept beside the log (which Snakemake keeps for a failed job) for the report.
    write_record(failed_path, record)
    print(f"genome {genome}: {record['message']}", flush=True)
    return False


if __name__ == "__main__":
    import sys
    args = sys.argv[1:]
    mode, status = "evidence", ""
    while args[:1] in (["--operons"], ["--panel-status"]) and len(args) > 1:
        if args[0] == "--operons":
            mode = args[1]
        else:
            status = args[1]
        args = args[2:]
    if len(args) < 6:
        sys.exit("usage: predict_genome.py [--operons evidence|em] [--panel-status FILE] "
                 "MERIDAN_PREDICT ID OUTDIR RECORD LOG FILE...")
    program, genome, outdir, record_path, log_path = args[:5]
    sys.exit(0 if run(program, genome, args[5:], outdir, record_path, log_path, mode, status) else 1)
