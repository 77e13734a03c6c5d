#!/usr/bin/env python3
# Copyright Kelmora. All Rights Reserved.
"""Runs `orvane listen` on a loopback port under a flood (flood.py) for a number of seconds, then stops it with
SIGINT and checks: the process stayed up and exited cleanly (AddressSanitizer reports leaks as a failure), every
valid datagram that reached the socket was published, and resident memory after the first 5 seconds grew by
less than 10 MB. Prints one JSON line of figures; exits 1 on a failed check."""

import argparse
import json
import os
import signal
import socket
import subprocess
import sys
import threading
import time

RSS_GROWTH_LIMIT_KB = 10 * 1024
WARM_UP_SECONDS = 5.0


def free_loopback_port():
    with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


def resident_kb(pid):
    try:
        with open('/proc/%d/status' % pid) as status:
            for line in status:
                if line.startswith('VmRSS:'):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def read_summary(lines):
    """The listener's closing summary line, or None."""
    for line in reversed(lines):
        try:
            record = json.loads(line)
        except ValueError:
            continue
        if isinstance(record, dict) and record.get('type') == 'summary':
            return record
    return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--orvane', required=True, help='the orvane tool (an AddressSanitizer build)')
    parser.add_argument('--seconds', type=float, default=60.0)
    parser.add_argument('--rate', type=int, default=50000)
    parser.add_argument('--work', required=True, help='folder for the listener output')
    args = parser.parse_args()

    os.makedirs(args.work, exist_ok=True)
    port = free_loopback_port()
    out_path = os.path.join(args.work, 'listen.jsonl')
    err_path = os.path.join(args.work, 'listen.err')
    failures = []
    with open(out_path, 'w') as out, open(err_path, 'w') as err:
        listener = subprocess.Popen([args.orvane, 'listen', '--endpoint', '127.0.0.1:%d' % port, '--jsonl'], stdout=out, stderr=err)
    # Listening once the status line is out.
    deadline = time.monotonic() + 30.0
    while time.monotonic() < deadline and listener.poll() is None:
        with open(out_path) as out:
            if '"status"' in out.read():
                break
        time.sleep(0.1)
    if listener.poll() is not None:
        print(open(err_path).read(), file=sys.stderr)
        print(json.dumps({'type': 'flood-soak', 'failures': ['orvane listen did not start']}))
        return 1

    samples = []
    sampling = threading.Event()

    def sample():
        start = time.monotonic()
        while not sampling.is_set():
            rss = resident_kb(listener.pid)
            if rss is not None:
                samples.append((time.monotonic() - start, rss))
            time.sleep(0.25)

    sampler = threading.Thread(target=sample)
    sampler.start()
    flood = subprocess.run([sys.executable, os.path.join(os.path.dirname(os.path.abspath(__file__)), 'flood.py'),
                            '--port', str(port), '--seconds', str(args.seconds), '--rate', str(args.rate)],
                           capture_output=True, text=True)
    # Let the receiver drain what is still queued before stopping it.
    time.sleep(1.0)
    sampling.set()
    sampler.join()
    stayed_up = listener.poll() is None
    if stayed_up:
        listener.send_signal(signal.SIGINT)
    try:
        exit_code = listener.wait(timeout=60)
    except subprocess.TimeoutExpired:
        listener.kill()
        exit_code = listener.wait()
        failures.append('orvane listen did not stop within 60 s of SIGINT')

    sent = json.loads(flood.stdout.strip().splitlines()[-1]) if flood.returncode == 0 and flood.stdout.strip() else None
    with open(out_path) as out:
        summary = read_summary(out.read().splitlines())
    with open(err_path) as err:
        errors = err.read()

    if sent is None:
        failures.append('the flood did not run: ' + flood.stderr.strip()[-500:])
    if not stayed_up:
        failures.append('orvane listen ended during the flood (exit %s)' % exit_code)
    elif exit_code != 0:
        failures.append('orvane listen exited %s' % exit_code)
    if 'LeakSanitizer' in errors or 'AddressSanitizer' in errors or 'runtime error' in errors:
        failures.append('a sanitizer reported (see %s)' % err_path)

    published = None
    if summary is None:
        failures.append('orvane listen printed no summary line, so publishing cannot be checked')
    elif sent is not None:
        # A datagram the kernel dropped before the socket never reached the plug-in: each one lost could have
        # been valid, so only the valid ones beyond that number must have been published.
        lost = max(0, sent['sent'] - summary['received'])
        published = summary['pushed'] >= sent['valid'] - lost
        if not published:
            failures.append('%d frames pushed for %d valid datagrams (%d datagrams lost before the socket)' % (summary['pushed'], sent['valid'], lost))

    after_warm_up = [rss for at, rss in samples if at >= WARM_UP_SECONDS]
    growth_kb = (max(after_warm_up) - after_warm_up[0]) if len(after_warm_up) >= 2 else None
    if growth_kb is not None and growth_kb >= RSS_GROWTH_LIMIT_KB:
        failures.append('resident memory grew by %d KB after the first %g s' % (growth_kb, WARM_UP_SECONDS))

    print(json.dumps({'type': 'flood-soak', 'seconds': args.seconds, 'sender': sent, 'listener': summary,
                      'rss_kb_at_warm_up': after_warm_up[0] if after_warm_up else None,
                      'rss_kb_peak': max((rss for _, rss in samples), default=None), 'rss_growth_kb': growth_kb,
                      'exit_code': exit_code, 'failures': failures}))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
