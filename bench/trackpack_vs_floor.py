#!/usr/bin/env python3
"""Paired whole-process runs: each trackpack command that neither draws nor
mails against io_floor (Qt Core only) doing the same input and output. The two
programs run alternately N times; CPU time (user + system of the process) and
wall time are reported as median, min and max, and the ratio of the medians.

usage: bench/trackpack_vs_floor.py [BUILD_DIR] [N]"""
import os, statistics, subprocess, sys, tempfile, time

build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else 'build')
n = int(sys.argv[2]) if len(sys.argv) > 2 else 31
tp = os.environ.get('TRACKPACK', os.path.join(build, 'trackpack'))
floor = os.path.join(build, 'bench', 'io_floor')
work = tempfile.mkdtemp()

def run(cmd):
    t0 = time.perf_counter()
    p = subprocess.Popen(cmd, stdout=subprocess.DEVNULL, cwd=work)
    _, status, usage = os.wait4(p.pid, 0)
    wall = time.perf_counter() - t0
    if status != 0:
        sys.exit('failed: ' + ' '.join(cmd))
    return (usage.ru_utime + usage.ru_stime) * 1000, wall * 1000

def clean():
    for name in os.listdir(work):
        if name.startswith('out'):
            os.remove(os.path.join(work, name))

def paired(label, ours, theirs):
    a, b = [], []
    for _ in range(n):
        clean(); a.append(run(ours))
        clean(); b.append(run(theirs))
    def fmt(xs):
        return '%6.2f (%5.2f..%6.2f)' % (statistics.median(xs), min(xs), max(xs))
    for i, what in ((0, 'cpu'), (1, 'wall')):
        x, y = [r[i] for r in a], [r[i] for r in b]
        print('%-22s %-4s trackpack %s ms  floor %s ms  ratio %.2f' %
              (label, what, fmt(x), fmt(y), statistics.median(x) / statistics.median(y)))

small = os.path.join(work, 'small.mrg')
big = os.path.join(work, 'max.mrg')
lev = os.path.join(work, 'one.lev')
subprocess.run([tp, 'sample', small, '--tracks', '30'], check=True)
subprocess.run([tp, 'sample', big, '--tracks', '4095', '--segments', '499'], check=True)
subprocess.run([tp, 'export-lev', small, '1', lev], check=True)
out = os.path.join(work, 'out.mrg')
print('N = %d paired runs; medians with (min..max)' % n)
paired('count small', [tp, 'count', small], [floor, 'read', small])
paired('info small', [tp, 'info', small], [floor, 'read', small])
paired('count maximal', [tp, 'count', big], [floor, 'read', big])
paired('info maximal', [tp, 'info', big], [floor, 'read', big])
paired('resave small', [tp, 'resave', small, out], [floor, 'durable', small, out])
paired('resave maximal', [tp, 'resave', big, out], [floor, 'durable', big, out])
paired('sample small', [tp, 'sample', out, '--tracks', '30'], [floor, 'durable', small, out])
paired('import --lev small', [tp, 'import', small, out, '--lev', lev],
       [floor, 'durable', small, out])
paired('export-lev', [tp, 'export-lev', small, '1', out], [floor, 'durable', lev, out])
subprocess.run(['rm', '-rf', work])
