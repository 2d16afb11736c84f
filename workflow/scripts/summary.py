"""The table and the HTML report over all genomes of a run.

Per genome (summed over its records - a GenBank file with a chromosome and
plasmids gives one result set per record) the counts come from the result
files meridan-predict leaves in DIR/<id>/results/: the gene index table (one
row per gene with its operon number and its promoter and terminator columns)
and the TU builder's summary ("N TUs including M alternative ones")."""
import glob
import html
import os
import re

import predict_genome

COLUMNS = ["id", "status", "records", "genes", "operons", "multi_gene_operons", "tus",
           "alternative_tus", "promoters", "terminators", "seconds", "cpu_seconds", "peak_mb",
           "failures"]
TU_LINE = re.compile(r"(\d+) TUs including (\d+) alternative")


def count_gene_index(path, counts):
    with open(path, encoding="utf-8", errors="replace") as table:
        rows = [line.split("\t") for line in table.read().splitlines()[1:] if line.strip()]
    operon_sizes = {}
    for row in rows:
        if len(row) < 16:
            continue
        counts["genes"] += 1
        operon_sizes[row[2]] = operon_sizes.get(row[2], 0) + 1
        counts["promoters"] += row[9].strip() not in ("", "-")
        counts["terminators"] += row[15].strip() not in ("", "-")
    counts["operons"] += len(operon_sizes)
    counts["multi_gene_operons"] += sum(1 for size in operon_sizes.values() if size > 1)


def count_results(results):
    counts = dict.fromkeys(["records", "genes", "operons", "multi_gene_operons", "tus",
                            "alternative_tus", "promoters", "terminators"], 0)
    for index in sorted(glob.glob(os.path.join(results, "*_gene_index_file.txt"))):
        counts["records"] += 1
        count_gene_index(index, counts)
        record = index[: -len("_gene_index_file.txt")]
        if os.path.exists(record + "_summary.txt"):
            with open(record + "_summary.txt", encoding="utf-8", errors="replace") as f:
                found = TU_LINE.search(f.read())
            if found:
                counts["tus"] += int(found.group(1))
                counts["alternative_tus"] += int(found.group(2))
    return counts


def genome_row(outdir, genome):
    done = os.path.join(outdir, genome, "job.tsv")
    failed = os.path.join(outdir, "logs", genome + ".failed.tsv")
    row = dict.fromkeys(COLUMNS, "")
    row["id"] = genome
    if os.path.exists(done):
        record = predict_genome.read_record(done)
        row.update(count_results(os.path.join(outdir, genome, "results")))
    elif os.path.exists(failed):
        record = predict_genome.read_record(failed)
    else:
        record = {"status": "not run", "message": "the job did not finish (see the Snakemake log)"}
    row["status"] = record.get("status", "")
    row["seconds"] = record.get("seconds", "")
    row["cpu_seconds"] = record.get("cpu_seconds", "")
    row["peak_mb"] = record.get("peak_mb", "")
    row["failures"] = record.get("message", "") or "-"
    return row


def gff3_links(outdir, genome):
    files = sorted(glob.glob(os.path.join(outdir, genome, "results", "*.gff3")))
    return [os.path.relpath(f, outdir) for f in files]


def write_report(path, outdir, rows):
    failed = sum(r["status"] != "ok" for r in rows)
    out = ["<!DOCTYPE html>", '<html><head><meta charset="utf-8"><title>Meridan run</title>',
           "<style>body{font-family:sans-serif}table{border-collapse:collapse}"
           "td,th{border:1px solid #bbb;padding:2px 6px;text-align:right}"
           "td.t{text-align:left}tr.failed{background:#fdd}</style>",
           "</head><body>",
           f"<h1>Meridan: {len(rows)} genomes, {len(rows) - failed} finished, {failed} failed</h1>",
           "<table><tr>" + "".join(f"<th>{html.escape(c)}</th>" for c in COLUMNS) + "<th>GFF3</th></tr>"]
    for r in rows:
        cells = []
        for c in COLUMNS:
            cls = ' class="t"' if c in ("id", "status", "failures") else ""
            cells.append(f"<td{cls}>{html.escape(str(r[c]))}</td>")
        links = " ".join(f'<a href="{html.escape(l)}">{html.escape(os.path.basename(l))}</a>'
                         for l in gff3_links(outdir, r["id"]))
        out.append(f'<tr class="{html.escape(r["status"].replace(" ", "-"))}">' + "".join(cells)
                   + f'<td class="t">{links or "-"}</td></tr>')
    out += ["</table>", "</body></html>", ""]
    write_atomically(path, "\n".join(out))


def write_atomically(path, text):
    tmp = f"{path}.{os.getpid()}.part"
    with open(tmp, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(tmp, path)


def gather(outdir, genomes, table_path, report_path):
    rows = [genome_row(outdir, g) for g in genomes]
    lines = ["\t".join(COLUMNS)] + ["\t".join(str(r[c]) for c in COLUMNS) for r in rows]
    write_atomically(table_path, "\n".join(lines) + "\n")
    write_report(report_path, outdir, rows)
