#!/usr/bin/env bash
# Runs the workflow through SLURM on this machine: starts a one-node cluster
# (controller and node on localhost, munge for authentication, no cgroups,
# job records in a plain text file), predicts three genomes with the SLURM
# profile, checks with sacct that each genome ran as a SLURM job of its own,
# and stops the daemons again. Needs root (the daemons run as root here),
# Debian's slurm-wlm, munge and snakemake, and a build with meridan-predict.
#
#   bash workflow/test-slurm.sh [SAMPLE_SHEET]
#
# Without a sample sheet it simulates three small genomes. Set KEEP=1 to keep
# the scratch folder (its path is printed).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
program=${MERIDAN_PROGRAM_DIR:-$root/build/meridan}
[ -x "$program/meridan-predict" ] || { echo "test-slurm: no $program/meridan-predict; build first" >&2; exit 2; }

scratch=$(mktemp -d /tmp/meridan-slurm.XXXXXX)
export SLURM_CONF=$scratch/slurm.conf
export USER=${USER:-$(id -un)}
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do
    for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
  done
  if [ "${KEEP:-0}" = 1 ]; then echo "scratch kept: $scratch"; else rm -rf "$scratch"; fi
}
trap stop EXIT

# munge with its own key and socket, so it touches nothing of the system's.
mkdir -p "$scratch/munge" "$scratch/spool" "$scratch/state"
chmod 700 "$scratch/munge"
dd if=/dev/urandom of="$scratch/munge/munge.key" bs=1024 count=1 status=none
chmod 400 "$scratch/munge/munge.key"
munged --force --key-file="$scratch/munge/munge.key" --socket="$scratch/munge/socket" \
  --pid-file="$scratch/munge/munged.pid" --log-file="$scratch/munge/munged.log" \
  --seed-file="$scratch/munge/seed"
pids+=("$(cat "$scratch/munge/munged.pid")")

node=$(hostname -s)
cpus=$(nproc)
memory=$(awk '/MemAvailable/ {print int($2 / 1024 * 0.8)}' /proc/meminfo)
cat > "$SLURM_CONF" <<CONF
ClusterName=meridan-test
SlurmctldHost=$node(127.0.0.1)
SlurmctldPort=16817
SlurmdPort=16818
AuthType=auth/munge
AuthInfo=socket=$scratch/munge/socket
CredType=cred/munge
SlurmUser=root
SlurmdUser=root
StateSaveLocation=$scratch/state
SlurmdSpoolDir=$scratch/spool
SlurmctldPidFile=$scratch/slurmctld.pid
SlurmdPidFile=$scratch/slurmd.pid
SlurmctldLogFile=$scratch/slurmctld.log
SlurmdLogFile=$scratch/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/linux
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/filetxt
JobCompLoc=$scratch/jobcomp.txt
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_Core_Memory
MpiDefault=none
ReturnToService=2
MinJobAge=600
NodeName=$node NodeAddr=127.0.0.1 CPUs=$cpus RealMemory=$memory State=UNKNOWN
PartitionName=local Nodes=$node Default=YES MaxTime=INFINITE State=UP
CONF

slurmctld -f "$SLURM_CONF"
for _ in $(seq 50); do [ -s "$scratch/slurmctld.pid" ] && break; sleep 0.2; done
pids+=("$(cat "$scratch/slurmctld.pid")")
slurmd -f "$SLURM_CONF"
for _ in $(seq 50); do [ -s "$scratch/slurmd.pid" ] && break; sleep 0.2; done
pids+=("$(cat "$scratch/slurmd.pid")")
for _ in $(seq 60); do
  sinfo -h -o %t 2>/dev/null | grep -qx idle && break
  sleep 1
done
sinfo -h -o %t | grep -qx idle || { echo "test-slurm: the node did not come up" >&2; cat "$scratch/slurmd.log" >&2; exit 1; }
echo "cluster up: $(sinfo -h -o '%P %D %c %m %t')"

# Three genomes.
sheet=${1:-}
if [ -z "$sheet" ]; then
  sheet=$scratch/samples.tsv
  printf 'id\tfiles\n' > "$sheet"
  for n in 1 2 3; do
    id=$(printf 'SIM00000%d' "$n")
    "$program/meridan-simulate" --length 150k --seed "$n" --accession "$id" --out "$scratch/genomes" >/dev/null
    printf '%s\tgenomes/%s.fna genomes/%s.ptt genomes/%s.rnt\n' "$id" "$id" "$id" "$id" >> "$sheet"
  done
fi
genomes=$(tail -n +2 "$sheet" | grep -cv '^\s*\(#\|$\)')

cd "$here"
snakemake --profile profiles/slurm --config samples="$sheet" outdir="$scratch/out" \
  predict="$program/meridan-predict" > "$scratch/snakemake.log" 2>&1 || {
  tail -40 "$scratch/snakemake.log" >&2; echo "test-slurm: the workflow failed" >&2; exit 1; }

echo "sacct (job completion records):"
sacct -c -P --format=JobID,JobName,Partition,NodeList,State,Start,End,ExitCode | tee "$scratch/sacct.txt"
# Each genome's record names the SLURM job it ran in: all different, all
# COMPLETED, all on this node.
jobs=$(for record in "$scratch"/out/*/job.tsv; do
  awk -F'\t' 'NR == 1 {for (i = 1; i <= NF; i++) if ($i == "slurm_job") c = i} NR == 2 {print $c}' "$record"
done | sort -u)
distinct=$(printf '%s\n' "$jobs" | grep -c '^[0-9]\+$' || true)
[ "$distinct" -eq "$genomes" ] || { echo "test-slurm: $genomes genomes ran in $distinct SLURM jobs" >&2; exit 1; }
for job in $jobs; do
  grep -q "^$job|.*|COMPLETED|" "$scratch/sacct.txt" \
    || { echo "test-slurm: SLURM job $job is not recorded as COMPLETED" >&2; exit 1; }
done
cut -f1,2,4,11,13 "$scratch/out/summary.tsv"
echo "test-slurm: $genomes genomes, $distinct SLURM jobs, all COMPLETED"
