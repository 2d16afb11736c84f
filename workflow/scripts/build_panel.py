"""The batch's panel of genomes for comparative operon evidence: every
genome of the sample sheet (each prediction leaves out its own genome), or
the panel the user named. Writes STATUS: the database folder to use, or
"none" and why; a panel that cannot be built never stops the batch."""
import os
import subprocess
import sys


def write(path, text):
    tmp = f"{path}.{os.getpid()}.part"
    with open(tmp, "w", encoding="utf-8") as out:
        out.write(text + "\n")
    os.replace(tmp, path)


def build(program, panel, folder, status_path, log_path):
    os.makedirs(folder, exist_ok=True)
    command = [program, "build", panel, os.path.join(folder, "db")]
    with open(log_path, "w", encoding="utf-8") as log:
        log.write("$ " + " ".join(command) + "\n")
        log.flush()
        try:
            done = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                  errors="replace")
            code, text = done.returncode, done.stdout
        except OSError as e:
            code, text = 127, f"cannot start {program}: {e.strerror}\n"
        log.write(text)
    if code == 0:
        write(status_path, os.path.join(folder, "db"))
    else:
        lines = [l for l in text.splitlines() if l.strip()]
        write(status_path, "none\t" + (lines[-1] if lines else f"meridan-panel ended with status {code}"))


def batch_list(samples, path):
    """A panel list naming every genome of the batch by its files."""
    with open(path, "w", encoding="utf-8") as out:
        out.write("# the genomes of this batch\n")
        for files in samples.values():
            # A protein table comes with its FASTA file; an RNA table adds nothing here.
            kept = [f for f in files if not f.lower().endswith((".rnt", ".rnt.gz"))][:2]
            out.write(" ".join(kept) + "\n")


if __name__ == "__main__":
    if len(sys.argv) != 6:
        sys.exit("usage: build_panel.py MERIDAN_PANEL PANEL FOLDER STATUS LOG")
    build(*sys.argv[1:])
